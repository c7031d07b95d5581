#include "tools/rescomp/ResCompiler.h"

#include "layout/ScriptBlanks.h"
#include "resources/ResourceContainer.h"
#include "resources/ResourceSourceText.h"
#include "tools/codepage/CCodePage.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const kTypes[] = {"TSTR", "TMNU", "TMNB", "TLYO"};

std::string Located(const std::string& path, int line, const std::string& what)
{
    return path + ":" + std::to_string(line) + ": " + what;
}

bool ReadFile(const fs::path& path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    *text = all.str();
    return !in.bad();
}

} // namespace

bool ResCompiler::IsValidName(const std::string& name)
{
    if (name.empty() || (name[0] >= '0' && name[0] <= '9'))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}

bool ResCompiler::CompileText(const std::string& text, const std::string& path, bool japanese,
                              std::string* bytes, std::string* error)
{
    // Converted line by line so that an error can name its line; the markers and comments are
    // ASCII, which code page 932 keeps as they are (its lead bytes are all above 0x80).
    std::string converted;
    const CCodePage cp932(932);
    if (japanese && !cp932.IsUsable()) {
        *error = path + ": no UTF-8 to CP932 converter on this system";
        return false;
    }
    int lineNumber = 0;
    size_t start = 0;
    bool ok = true;
    while (ok && start < text.size()) {
        size_t end = text.find('\n', start);
        const bool hasEnd = end != std::string::npos;
        if (!hasEnd)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (japanese) {
            std::string out;
            if (!cp932.Encode(line, CCodePage::kUtf8, out)) {
                *error = Located(path, lineNumber, "text that cannot be converted to code page 932");
                ok = false;
            }
            converted += out;
        } else {
            if (std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
                *error = Located(path, lineNumber, "non-ASCII text in an English resource (put it in a _J variant)");
                ok = false;
            }
            converted += line;
        }
        if (hasEnd)
            converted += '\n';
    }
    if (!ok)
        return false;

    std::vector<std::string> strings;
    ResourceTextError syntax;
    if (!ParseResourceSourceText(converted, &strings, &syntax)) {
        *error = Located(path, syntax.line, syntax.message);
        return false;
    }
    if (!ResourceContainer::Encode(strings, bytes)) {
        *error = path + ": more strings than a resource can hold";
        return false;
    }
    return true;
}

bool ResCompiler::CompileTree(const std::string& root, std::vector<Resource>* resources,
                              std::string* error)
{
    resources->clear();
    for (const char* type : kTypes) {
        const fs::path folder = fs::path(root) / type;
        std::error_code code;
        if (!fs::is_directory(folder, code))
            continue;
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, code)) {
            if (entry.path().extension() == ".txt")
                files.push_back(entry.path());
        }
        if (code) {
            *error = folder.string() + ": cannot list the folder";
            return false;
        }
        std::sort(files.begin(), files.end());
        for (const fs::path& file : files) {
            Resource resource;
            resource.type = std::string("RT_") + type;
            resource.name = file.stem().string();
            if (!IsValidName(resource.name)) {
                *error = file.string() + ": resource names are upper-case letters, digits and \"_\"";
                return false;
            }
            std::string text;
            if (!ReadFile(file, &text)) {
                *error = file.string() + ": cannot read the file";
                return false;
            }
            // Layouts are scripts: what the reader skips anyway does not travel.
            if (resource.type == "RT_TLYO")
                text = WithoutSpareBlanks(text);
            const bool japanese = resource.name.size() > 2 &&
                                  resource.name.compare(resource.name.size() - 2, 2, "_J") == 0;
            if (!CompileText(text, file.string(), japanese, &resource.bytes, error))
                return false;
            resources->push_back(resource);
        }
    }
    return true;
}

std::string ResCompiler::BinaryFileName(const Resource& resource)
{
    return resource.type.substr(3) + "_" + resource.name + ".bin";
}

std::string ResCompiler::ResourceScript(const std::vector<Resource>& resources, const std::string& folder)
{
    std::string script = "// Generated by rescomp from resources/<TYPE>/<NAME>.txt; do not edit.\n";
    for (const Resource& resource : resources) {
        // Names are quoted so that names such as HELP are not read as keywords; the LANGUAGE
        // statement before each one keeps a file name from running into the next quoted name,
        // since the script language joins adjacent strings.
        script += "LANGUAGE 0x09, 0x01\n\"" + resource.name + "\" " + resource.type + " \"" + folder +
                  "/" + BinaryFileName(resource) + "\"\n";
    }
    return script;
}
