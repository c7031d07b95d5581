// mkinstaller: packs a product tree and its installation description behind the installer stub,
// checks descriptions, and reads such an installer back. `mkinstaller --help` lists the commands.
// Errors name the file (and the line and column, for the description) and leave no output
// behind: the package is written under a temporary name and renamed only when it is complete.

#include "package/CPackageWriter.h"
#include "tools/codepage/CCodePage.h"
#include "tools/mkinstaller/CDescCheck.h"
#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/CDiagnostics.h"
#include "tools/mkinstaller/CPackTree.h"
#include "tools/mkinstaller/CProgressBar.h"
#include "tools/mkinstaller/StubCheck.h"
#include "tools/mkinstaller/ToolError.h"
#include "tools/mkinstaller/InspectCommands.h"
#include "tools/mkinstaller/InstalledStub.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
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

const char kUsage[] =
    "usage: mkinstaller build --desc description.txt --root DIR -o Setup.exe [--arch x86|x64] [--stub Installer.exe]\n"
    "                         [--codepage N]\n"
    "       mkinstaller check description.txt [--root DIR] [--codepage N]\n"
    "       mkinstaller list Setup.exe [--codepage N]\n"
    "       mkinstaller verify Setup.exe [--codepage N]\n"
    "       mkinstaller extract Setup.exe DIR [--codepage N]\n"
    "       mkinstaller --help | --version\n";

const char kHelp[] =
    "\n"
    "Commands:\n"
    "  build    checks the description, then packs it and the folder --root behind the installer\n"
    "           stub into the installer -o. Nothing is written when anything is wrong.\n"
    "  check    checks a description and reports every problem as file:line:column: error|warning.\n"
    "           With --root, shortcut targets and INF files under %DEST% are looked up in the tree.\n"
    "  list     prints an installer's description, then every folder and file with size and times.\n"
    "  verify   decodes an installer's package and checks every record against its check sum.\n"
    "  extract  writes what an installation would write into DIR, which must be missing or empty.\n"
    "\n"
    "Options:\n"
    "  --arch A      x86 (the default) or x64: packs behind the stub installed for it. The x86\n"
    "                one runs on every Windows; on 64-bit Windows it is sent to \"Program Files\n"
    "                (x86)\" and to the registry's 32-bit view. The x64 one runs only on 64-bit\n"
    "                Windows and installs into its 64-bit program-files folder and writes the\n"
    "                registry's 64-bit view, where a 64-bit program looks.\n"
    "  --stub FILE   packs behind this stub instead of an installed one.\n"
    "  --codepage N  the Windows code page of the machines that install the product: 1252 (the\n"
    "                default) for English and Western European products, 932 for Japanese, any\n"
    "                single- or double-byte Windows code page. File names are packed in it, and so\n"
    "                are the untagged sections of a UTF-8 description; sections tagged with a\n"
    "                language go to that language's code page. list, verify and extract read the\n"
    "                code page the package records unless it is given.\n"
    "  SOURCE_DATE_EPOCH  (environment) pins every file's times, for byte-identical rebuilds.\n"
    "\n"
    "Exit status: 0 success (check: no errors, warnings allowed), 1 errors, 2 wrong usage.\n"
    "The description's form: docs/description.md; the packer: docs/packer.md.\n";

int Usage(const std::string& reason = std::string())
{
    if (!reason.empty())
        std::fprintf(stderr, "mkinstaller: %s\n", reason.c_str());
    std::fputs(kUsage, stderr);
    return 2;
}

// The command line after the command word: options with their values, and the other words.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> words;
    unsigned codePage = 0; // 0: not given
};

// Parses and checks the arguments; an error text when they are not usable.
std::string ParseArguments(int argc, char** argv, const std::vector<std::string>& allowed, Arguments& out)
{
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.size() > 1 && arg[0] == '-') {
            bool known = false;
            for (const std::string& option : allowed)
                known = known || option == arg;
            if (!known)
                return "unknown option " + arg;
            if (i + 1 >= argc)
                return "option " + arg + " needs a value";
            out.options[arg] = argv[++i];
        } else {
            out.words.push_back(arg);
        }
    }
    const auto codePage = out.options.find("--codepage");
    if (codePage != out.options.end()) {
        char* end = nullptr;
        const unsigned long number = std::strtoul(codePage->second.c_str(), &end, 10);
        if (codePage->second.empty() || *end != '\0' || number == 0 || number > 65535)
            return "--codepage takes a code page number, such as 1252 or 932";
        if (!CCodePage(static_cast<unsigned>(number)).IsUsable())
            return "code page " + codePage->second + " is not a single- or double-byte code page this machine converts";
        out.codePage = static_cast<unsigned>(number);
    }
    return std::string();
}

bool ReadWhole(const std::string& path, std::vector<char>& out, std::string& error)
{
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        error = path + ": cannot open: " + std::strerror(errno);
        return false;
    }
    // Straight into the vector: the 32-bit build keeps every stack frame below a page.
    constexpr size_t kStep = 1 << 14;
    size_t got;
    do {
        const size_t at = out.size();
        out.resize(at + kStep);
        got = std::fread(out.data() + at, 1, kStep, in);
        out.resize(at + got);
    } while (got > 0);
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

// Checks the description (against the product when its tree is known) and converts it for the
// package; every problem, the tree's too, is printed. False when there is an error.
bool CheckDescription(const std::string& descPath, unsigned codePage, const CPackTree* tree, CDiagnostics& problems,
                      std::string& packed)
{
    std::vector<char> bytes;
    std::string error;
    if (!ReadWhole(descPath, bytes, error)) {
        problems.Print(stderr, descPath);
        ToolError(error);
        return false;
    }
    const std::string text(bytes.begin(), bytes.end());
    DescProduct product;
    if (tree)
        for (const PackEntry& entry : tree->Entries())
            if (!entry.packed.empty())
                product.push_back(DescProductEntry{entry.packed, entry.path, entry.folder});
    CDescCheck::Check(text, codePage, tree ? &product : nullptr, problems, packed);
    problems.Print(stderr, descPath);
    const int errors = problems.Count(true), warnings = problems.Count(false);
    if (errors + warnings > 0)
        std::fprintf(stderr, "mkinstaller: %s: %d error%s, %d warning%s\n", descPath.c_str(), errors,
                     errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s");
    return errors == 0;
}

// False when the walk cannot start; complete tells whether every entry was taken (else the
// problems say why), which the check needs to look targets up in the tree.
bool CollectTree(const std::string& root, const Arguments& args, CPackTree& tree, CDiagnostics& problems, bool& complete)
{
    std::string error;
    int64_t epoch = -1;
    if (!SourceDateEpoch(epoch, error)) {
        ToolError(error);
        return false;
    }
    const CCodePage names(args.codePage ? args.codePage : 1252);
    complete = tree.Collect(root, epoch, names, args.codePage != 0, problems);
    return true;
}

// One line on success, so that a build log shows what went into the installer.
void PrintSummary(const std::string& outPath, const CPackTree& tree)
{
    std::FILE* out = std::fopen(outPath.c_str(), "rb");
    long size = -1;
    if (out && std::fseek(out, 0, SEEK_END) == 0)
        size = std::ftell(out);
    if (out)
        std::fclose(out);
    std::printf("mkinstaller: %s: %d files, %d folders, %llu bytes in, installer of %ld bytes\n", outPath.c_str(),
                tree.Count(false), tree.Count(true) - 1, static_cast<unsigned long long>(tree.TotalBytes()), size);
}

int Check(int argc, char** argv)
{
    Arguments args;
    const std::string problem = ParseArguments(argc, argv, {"--root", "--codepage"}, args);
    if (!problem.empty() || args.words.size() != 1)
        return Usage(problem);
    const unsigned codePage = args.codePage ? args.codePage : 1252;
    CPackTree tree;
    CDiagnostics problems;
    const auto root = args.options.find("--root");
    bool complete = false;
    if (root != args.options.end() && !CollectTree(root->second, args, tree, problems, complete))
        return 1;
    std::string packed;
    return CheckDescription(args.words[0], codePage, complete ? &tree : nullptr, problems, packed) ? 0 : 1;
}

int Build(int argc, char** argv)
{
    Arguments args;
    const std::string problem =
        ParseArguments(argc, argv, {"--stub", "--arch", "--desc", "--root", "-o", "--codepage"}, args);
    if (!problem.empty() || !args.words.empty())
        return Usage(problem.empty() ? "unexpected argument " + args.words[0] : problem);
    for (const char* required : {"--desc", "--root", "-o"})
        if (args.options.count(required) == 0)
            return Usage(std::string("build needs ") + required);
    const std::string arch = args.options.count("--arch") ? args.options["--arch"] : "x86";
    if (!IsStubArch(arch))
        return Usage("--arch takes x86 or x64");
    std::string stubPath, error;
    if (args.options.count("--stub"))
        stubPath = args.options["--stub"];
    else if ((stubPath = InstalledStub(arch, error)).empty())
        return ToolError(error);
    const std::string descPath = args.options["--desc"];
    const std::string root = args.options["--root"], outPath = args.options["-o"];
    const unsigned codePage = args.codePage ? args.codePage : 1252;

    CPackTree tree;
    CDiagnostics problems;
    bool complete = false;
    if (!CollectTree(root, args, tree, problems, complete))
        return 1;
    std::string packed;
    if (!CheckDescription(descPath, codePage, complete ? &tree : nullptr, problems, packed) || !complete)
        return 1;
    std::vector<char> stub;
    if (!ReadWhole(stubPath, stub, error))
        return ToolError(error);
    const std::string stubProblem = StubProblem(stub);
    if (!stubProblem.empty())
        return ToolError(stubPath + ": " + stubProblem);
    const std::vector<char> desc(packed.begin(), packed.end());

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
    PrintSummary(outPath, tree);
    return 0;
}

// list, verify and extract: the installer, a folder for extract, and the code page.
int Inspect(int argc, char** argv, const std::string& command)
{
    Arguments args;
    const std::string problem = ParseArguments(argc, argv, {"--codepage"}, args);
    const size_t words = command == "extract" ? 2 : 1;
    if (!problem.empty() || args.words.size() != words)
        return Usage(problem);
    if (command == "list")
        return ListPackage(args.words[0], args.codePage);
    if (command == "verify")
        return VerifyPackage(args.words[0], args.codePage);
    return ExtractPackage(args.words[0], args.words[1], args.codePage);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (command == "--version") {
        std::printf("mkinstaller %s\n", MKINSTALLER_VERSION);
        return 0;
    }
    if (command == "build")
        return Build(argc, argv);
    if (command == "check")
        return Check(argc, argv);
    if (command == "list" || command == "verify" || command == "extract")
        return Inspect(argc, argv, command);
    return Usage("unknown command " + command);
}
