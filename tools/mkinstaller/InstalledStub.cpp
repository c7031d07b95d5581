#include "tools/mkinstaller/InstalledStub.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#else
#include <climits>
#include <unistd.h>
#endif

namespace {

// The running program's own file; empty when the system does not tell.
std::string OwnPath()
{
#ifdef _WIN32
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    return length > 0 && length < sizeof path ? std::string(path, length) : std::string();
#else
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
    return length > 0 && static_cast<size_t>(length) < sizeof path ? std::string(path, length) : std::string();
#endif
}

// The folder that holds `path`: "" for a bare name.
std::string Parent(const std::string& path)
{
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

bool IsStubArch(const std::string& arch)
{
    return arch == "x86" || arch == "x64";
}

std::string StubBesidePacker(const std::string& packerPath, const std::string& arch)
{
    return Parent(Parent(packerPath)) + "/share/mkinstaller/Installer-" + arch + ".exe";
}

std::string InstalledStub(const std::string& arch, std::string& error)
{
    const std::string own = OwnPath();
    if (own.empty()) {
        error = "cannot tell where the packer lies to find its stub; give --stub";
        return std::string();
    }
    const std::string stub = StubBesidePacker(own, arch);
    if (std::FILE* file = std::fopen(stub.c_str(), "rb")) {
        std::fclose(file);
        return stub;
    }
    error = "no installer stub for --arch " + arch + " (looked for " + stub + "); give --stub";
    return std::string();
}
