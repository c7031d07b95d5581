// rescomp <resources folder> <output folder>
// Compiles resources/<TYPE>/<NAME>.txt into <TYPE>_<NAME>.bin container files and
// "resources.rc", which names each under its custom type for the resource compiler.
#include "tools/rescomp/ResCompiler.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

// Always written: the resource script's time stamp tells the build that the data changed.
bool Write(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: rescomp <resources folder> <output folder>\n");
        return 2;
    }
    std::vector<ResCompiler::Resource> resources;
    std::string error;
    if (!ResCompiler::CompileTree(argv[1], &resources, &error)) {
        std::fprintf(stderr, "rescomp: %s\n", error.c_str());
        return 1;
    }
    const std::filesystem::path out = std::filesystem::absolute(argv[2]);
    std::error_code code;
    std::filesystem::create_directories(out, code);
    for (const ResCompiler::Resource& resource : resources) {
        const std::filesystem::path file = out / ResCompiler::BinaryFileName(resource);
        if (!Write(file, resource.bytes)) {
            std::fprintf(stderr, "rescomp: %s: cannot write the file\n", file.string().c_str());
            return 1;
        }
    }
    const std::filesystem::path script = out / "resources.rc";
    if (!Write(script, ResCompiler::ResourceScript(resources, out.generic_string()))) {
        std::fprintf(stderr, "rescomp: %s: cannot write the file\n", script.string().c_str());
        return 1;
    }
    return 0;
}
