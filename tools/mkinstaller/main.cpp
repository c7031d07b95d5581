// mkinstaller: packs a product tree and its installation description behind the installer stub,
// and reads such an installer back.
//   mkinstaller build --stub Installer.exe --desc description.txt --root DIR -o Setup.exe
//   mkinstaller list|verify Setup.exe, mkinstaller extract Setup.exe DIR
// Errors name the file (and the line, for the description) and leave no output behind: the
// package is written under a temporary name and renamed only when it is complete.

#include "package/CPackageWriter.h"
#include "tools/mkinstaller/CDescCheck.h"
#include "tools/mkinstaller/CPackTree.h"
#include "tools/mkinstaller/CProgressBar.h"
#include "tools/mkinstaller/ToolError.h"
#include "tools/mkinstaller/InspectCommands.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#define MK_GETPID _getpid
#else
#include <unistd.h>
#define MK_GETPID getpid
#endif

namespace {

int Usage()
{
    std::fprintf(stderr,
                 "usage: mkinstaller build --stub Installer.exe --desc description.txt --root DIR -o Setup.exe\n"
                 "       mkinstaller list Setup.exe\n"
                 "       mkinstaller verify Setup.exe\n"
                 "       mkinstaller extract Setup.exe DIR\n");
    return 2;
}

bool ReadWhole(const std::string& path, std::vector<char>& out, std::string& error)
{
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    char buffer[1 << 14];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        out.insert(out.end(), buffer, buffer + got);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed)
        error = path + ": read error";
    return !failed;
}

// SOURCE_DATE_EPOCH makes rebuilds byte-identical whatever the files' times; -1 when unset.
bool SourceDateEpoch(int64_t& epoch, std::string& error)
{
    epoch = -1;
    const char* text = std::getenv("SOURCE_DATE_EPOCH");
    if (!text || !*text)
        return true;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || value < 0) {
        error = std::string("SOURCE_DATE_EPOCH is not a number of seconds: ") + text;
        return false;
    }
    epoch = value;
    return true;
}

void CountProgress(void* context, uint64_t bytes)
{
    static_cast<CProgressBar*>(context)->Advance(bytes);
}

bool WritePackage(std::FILE* out, const std::vector<char>& stub, const std::vector<char>& desc,
                  const CPackTree& tree, std::string& error)
{
    if (std::fwrite(stub.data(), 1, stub.size(), out) != stub.size()) {
        error = std::string("cannot write the output: ") + std::strerror(errno);
        return false;
    }
    CPackageWriter writer(out);
    CProgressBar progress(stderr, tree.TotalBytes());
    writer.SetProgress(CountProgress, &progress);
    writer.AddDescription(desc.data(), desc.size());
    for (const PackEntry& entry : tree.Entries()) {
        if (entry.folder)
            writer.AddFolder(entry.name);
        else
            writer.AddFile(entry.name, entry.created, entry.written, entry.path);
    }
    if (!writer.Finish()) {
        error = writer.Error();
        return false;
    }
    return true;
}

int Build(int argc, char** argv)
{
    std::string stubPath, descPath, root, outPath;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            return Usage();
        if (arg == "--stub")
            stubPath = argv[++i];
        else if (arg == "--desc")
            descPath = argv[++i];
        else if (arg == "--root")
            root = argv[++i];
        else if (arg == "-o")
            outPath = argv[++i];
        else
            return Usage();
    }
    if (stubPath.empty() || descPath.empty() || root.empty() || outPath.empty())
        return Usage();

    std::string error;
    int64_t epoch = -1;
    if (!SourceDateEpoch(epoch, error))
        return ToolError(error);
    std::vector<char> desc;
    if (!ReadWhole(descPath, desc, error))
        return ToolError(error);
    CDescCheck check;
    if (!check.Check(desc.data(), desc.size())) {
        if (check.Line() > 0)
            return ToolError(descPath + ":" + std::to_string(check.Line()) + ": " + check.Error());
        return ToolError(descPath + ": " + check.Error());
    }
    std::vector<char> stub;
    if (!ReadWhole(stubPath, stub, error))
        return ToolError(error);
    CPackTree tree;
    if (!tree.Collect(root, epoch))
        return ToolError(tree.Error());
    for (const std::string& warning : tree.Warnings())
        std::fprintf(stderr, "mkinstaller: warning: %s\n", warning.c_str());

    const std::string tempPath = outPath + ".tmp" + std::to_string(MK_GETPID());
    std::FILE* out = std::fopen(tempPath.c_str(), "wb");
    if (!out)
        return ToolError(tempPath + ": cannot create: " + std::strerror(errno));
    const bool written = WritePackage(out, stub, desc, tree, error);
    const bool closed = std::fclose(out) == 0;
    if (!written || !closed) {
        std::remove(tempPath.c_str());
        return ToolError(written ? tempPath + ": cannot write: " + std::strerror(errno) : error);
    }
#ifdef _WIN32
    std::remove(outPath.c_str()); // rename does not replace an existing file there
#endif
    if (std::rename(tempPath.c_str(), outPath.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(tempPath.c_str());
        return ToolError(outPath + ": cannot create: " + reason);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    if (command == "build")
        return Build(argc, argv);
    if (command == "list" && argc == 3)
        return ListPackage(argv[2]);
    if (command == "verify" && argc == 3)
        return VerifyPackage(argv[2]);
    if (command == "extract" && argc == 4)
        return ExtractPackage(argv[2], argv[3]);
    return Usage();
}
