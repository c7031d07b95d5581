#pragma once

// Program files made by the packer's own writer, for the tests that read packages back.

#include "package/CPackageWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

// The stub, then the package of the description and the entries, then its trailer.
inline std::string PackedFile(const std::string& stub, const std::string& description,
                              const std::vector<PackEntry>& entries)
{
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
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
    std::fclose(out);
    const std::string bytes = finished ? std::string(buffer, size) : "";
    std::free(buffer);
    return bytes;
}

} // namespace testsupport
