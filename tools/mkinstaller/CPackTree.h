#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CCodePage;

// One folder or file of the product tree, in the order the installer creates them.
struct PackEntry {
    bool folder = false;
    std::string name;   // relative URL, percent-encoded; "." is the root itself
    std::string path;   // native path on this machine
    std::string relative; // below the root, '\'-separated, UTF-8; "" for the root
    uint64_t size = 0;  // files only
    uint32_t created = 0;  // seconds since 1904-01-01 UTC
    uint32_t written = 0;
};

// Walks a product tree: the root first, then every folder before its contents, children sorted
// by name byte-wise, so that the same tree always gives the same entries. Names go into the
// package in the product's code page; a name that has no exact form there, that Windows
// cannot create, or that differs from another of its folder only in letter case (Windows
// would keep one of them) is an error naming the file.
class CPackTree {
public:
    // sourceDateEpoch: when not negative, every time becomes this Unix time.
    bool Collect(const std::string& root, int64_t sourceDateEpoch, const CCodePage& codePage);

    const std::vector<PackEntry>& Entries() const { return m_entries; }
    uint64_t TotalBytes() const { return m_totalBytes; }
    const std::string& Error() const { return m_error; }
    const std::vector<std::string>& Warnings() const { return m_warnings; }

    // Seconds since 1904 for a Unix time, clamped to 32 bits; clamped tells whether it was.
    static uint32_t PackageTime(int64_t unixTime, bool& clamped);

private:
    bool Walk(const std::string& path, const std::string& url, const std::string& relative);
    bool AddEntry(bool folder, const std::string& path, const std::string& url, const std::string& relative);
    // The name in the package's code page, and in UTF-8; false with the error set.
    bool PackedName(const std::string& path, const std::string& name, std::string& packed, std::string& utf8);

    std::vector<PackEntry> m_entries;
    uint64_t m_totalBytes = 0;
    int64_t m_sourceDateEpoch = -1;
    const CCodePage* m_codePage = nullptr;
    std::string m_error;
    std::vector<std::string> m_warnings;
};
