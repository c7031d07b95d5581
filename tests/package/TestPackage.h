#pragma once

// Program files made by the packer's own writer, for the tests that read packages back.

#include "package/CPackageWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

namespace testsupport {

struct PackEntry {
    bool folder;
    std::string name;
    std::string data;
    uint32_t created = 0;
    uint32_t written = 0;
};

inline std::string ReadWhole(std::FILE* file)
{
    std::string bytes;
    char block[65536];
    std::rewind(file);
    for (size_t got; (got = std::fread(block, 1, sizeof block, file)) > 0;)
        bytes.append(block, got);
    return bytes;
}

// The stub, then the package of the description and the entries, then its trailer.
inline std::string PackedFile(const std::string& stub, const std::string& description,
                              const std::vector<PackEntry>& entries)
{
    std::FILE* out = std::tmpfile();
    if (!out)
        return "";
    std::fwrite(stub.data(), 1, stub.size(), out);
    CPackageWriter writer(out);
    writer.AddDescription(description.data(), description.size());
    const std::string source = ::testing::TempDir() + "packed-entry-" + std::to_string(getpid());
    for (const PackEntry& entry : entries) {
        if (entry.folder) {
            writer.AddFolder(entry.name);
            continue;
        }
        std::FILE* in = std::fopen(source.c_str(), "wb");
        if (in) {
            std::fwrite(entry.data.data(), 1, entry.data.size(), in);
            std::fclose(in);
        }
        writer.AddFile(entry.name, entry.created, entry.written, source);
    }
    const bool finished = writer.Finish();
    EXPECT_TRUE(finished) << writer.Error();
    std::remove(source.c_str());
    const std::string bytes = finished ? ReadWhole(out) : "";
    std::fclose(out);
    return bytes;
}

} // namespace testsupport
