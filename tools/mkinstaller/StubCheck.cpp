#include "tools/mkinstaller/StubCheck.h"

#include "package/CMemoryStream.h"
#include "package/PackageTrailer.h"

#include <cstdint>
#include <algorithm>
#include <cstring>

namespace {

// The installer's window class, which every stub of this project names.
const char kInstallerMark[] = "CAPPDEF_INSTALLER";

uint32_t LittleEndian32(const std::vector<char>& bytes, size_t at)
{
    uint32_t value = 0;
    for (size_t i = 4; i-- > 0;)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

std::string StubProblem(const std::vector<char>& stub)
{
    // A PE image: "MZ", and at the offset stored at 0x3C the signature "PE\0\0".
    const size_t headerOffset = 0x3C;
    const bool dosHeader = stub.size() >= headerOffset + 4 && stub[0] == 'M' && stub[1] == 'Z';
    const uint32_t pe = dosHeader ? LittleEndian32(stub, headerOffset) : 0;
    if (!dosHeader || pe > stub.size() - 4 || std::memcmp(stub.data() + pe, "PE\0\0", 4) != 0)
        return "not a Windows program (no PE image): the stub is the installer, Installer.exe";
    const char* end = stub.data() + stub.size();
    const size_t markLength = sizeof kInstallerMark - 1;
    if (std::search(stub.data(), end, kInstallerMark, kInstallerMark + markLength) == end)
        return "a Windows program, but not this project's installer: the stub is the installer, Installer.exe";
    CMemoryStream file;
    file.Write(stub.data(), static_cast<int32_t>(stub.size()));
    uint32_t start = 0, packageEnd = 0;
    FindPackage(file, start, packageEnd);
    if (packageEnd != 0)
        return "an installer that already carries a package (" + std::to_string(packageEnd - start) +
               " bytes): the stub is the installer without one, Installer.exe";
    return std::string();
}
