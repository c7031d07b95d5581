#pragma once

#include <string>
#include <vector>

// Turns the source texts of the custom resources (resources/<TYPE>/<NAME>.txt, UTF-8) into
// container bytes and a resource script that names them. English resources must be plain
// ASCII; a "_J" variant is converted to code page 932, the code page its texts are shown in.
class ResCompiler {
public:
    struct Resource {
        std::string type; // "RT_TSTR", "RT_TMNU", "RT_TMNB" or "RT_TLYO"
        std::string name; // e.g. "INSTWIN_J"
        std::string bytes;
    };

    // Compiles one source text. path is only used in messages ("path:line: what").
    static bool CompileText(const std::string& text, const std::string& path, bool japanese,
                            std::string* bytes, std::string* error);

    // Compiles every resources/<TYPE>/<NAME>.txt under root, sorted by type and name.
    static bool CompileTree(const std::string& root, std::vector<Resource>* resources,
                            std::string* error);

    // The resource script: every resource under language 0x0409 with its custom type name,
    // its bytes read from folder/<type>_<name>.bin.
    static std::string ResourceScript(const std::vector<Resource>& resources, const std::string& folder);

    static std::string BinaryFileName(const Resource& resource);

    // Upper-case letters, digits and "_", not starting with a digit.
    static bool IsValidName(const std::string& name);
};
