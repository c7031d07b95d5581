#pragma once

// Real installers for the tests: an "MZ" stub and a package written by the package writer with
// the given descriptions and entries, and such a file opened the way the installer opens its
// own, the reader standing on the first entry after the descriptions.

#include "install/CPackageEntries.h"
#include "package/CBufferedFile.h"
#include "package/CPackageReader.h"
#include "package/CPackageWriter.h"
#include "package/PackageTrailer.h"
#include "tests/install/FakePackage.h"
#include "tests/platform/ScratchFolder.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace testsupport {

inline bool WriteInstaller(const std::string& path, const std::vector<std::string>& descriptions,
                           const std::vector<FakeEntry>& entries)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return false;
    std::fputs("MZ stub of the installer", out);
    CPackageWriter writer(out);
    for (const std::string& description : descriptions)
        writer.AddDescription(description.data(), description.size());
    // The writer reads a file's source as it adds it, so one source serves every file.
    const std::string source = path + ".source";
    for (const FakeEntry& entry : entries) {
        if (entry.tag == CEntrySource::kTagFolder)
            writer.AddFolder(entry.name);
        else if (WriteTestFile(source, entry.data))
            writer.AddFile(entry.name, kEntryCreated, entry.written, source);
    }
    const bool finished = writer.Finish();
    std::fclose(out);
    DeleteFileA(source.c_str());
    return finished;
}

// Cuts the package `cut` bytes before its end under a trailer that fits the shorter package, as
// a download broken off and "repaired" would be.
inline bool CutPackage(const std::string& path, uint32_t cut)
{
    std::string bytes = ReadTestFile(path);
    const size_t trailer = bytes.size() - 8;
    uint32_t length = 0;
    for (size_t i = trailer + 4; i < bytes.size(); ++i)
        length = (length << 8) | uint8_t(bytes[i]);
    if (cut >= length)
        return false;
    length -= cut;
    bytes = bytes.substr(0, trailer - cut) + "QXPK";
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes += static_cast<char>(length >> shift);
    return WriteTestFile(path, bytes);
}

inline uint32_t FoundPackage(CStream& file, uint32_t& start)
{
    uint32_t end = 0;
    FindPackage(file, start, end);
    return end;
}

struct PackedInstaller {
    CBufferedFile file;
    uint32_t start = 0;
    uint32_t end;
    CPackageReader reader;
    CPackageEntries entries;

    explicit PackedInstaller(const std::string& path)
        : file(path.c_str(), CFileStream::kModeRead, 0)
        , end(FoundPackage(file, start))
        , reader(file, start, end)
        , entries(reader)
    {
        reader.Rewind();
        while (reader.NextTag() == CPackageReader::kTagDescription) {
            reader.ReadRecordHeader();
            reader.MeasureData();
        }
    }
};

} // namespace testsupport
