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

uint16_t LittleEndian16(const std::vector<char>& bytes, size_t at)
{
    return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Where the image's sections end in the file: a package can only lie behind them. The stub's
// own code holds the trailer's magic as a constant, which the trailer search would otherwise
// take for a package inside the image. 0 when the section table cannot be read.
size_t ImageEnd(const std::vector<char>& stub, uint32_t pe)
{
    const size_t coff = size_t(pe) + 4;
    if (stub.size() < coff + 20)
        return 0;
    const size_t sections = LittleEndian16(stub, coff + 2);
    const size_t table = coff + 20 + LittleEndian16(stub, coff + 16);
    size_t end = 0;
    for (size_t i = 0; i < sections; ++i) {
        const size_t header = table + 40 * i;
        if (stub.size() < header + 40)
            return 0;
        end = std::max(end, size_t(LittleEndian32(stub, header + 20)) + LittleEndian32(stub, header + 16));
    }
    return end;
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
    if (packageEnd != 0 && start >= ImageEnd(stub, pe))
        return "an installer that already carries a package (" + std::to_string(packageEnd - start) +
               " bytes): the stub is the installer without one, Installer.exe";
    return std::string();
}
