#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One folder or file of the product tree, in the order the installer creates them.
struct PackEntry {
    bool folder = false;
    std::string name;   // relative URL, percent-encoded; "." is the root itself
    std::string path;   // native path on this machine
    uint64_t size = 0;  // files only
    uint32_t created = 0;  // seconds since 1904-01-01 UTC
    uint32_t written = 0;
};

// Walks a product tree: the root first, then every folder before its contents, children sorted
// by name byte-wise, so that the same tree always gives the same entries.
class CPackTree {
public:
    // sourceDateEpoch: when not negative, every time becomes this Unix time.
    bool Collect(const std::string& root, int64_t sourceDateEpoch);

    const std::vector<PackEntry>& Entries() const { return m_entries; }
    uint64_t TotalBytes() const { return m_totalBytes; }
    const std::string& Error() const { return m_error; }
    const std::vector<std::string>& Warnings() const { return m_warnings; }

    // Seconds since 1904 for a Unix time, clamped to 32 bits; clamped tells whether it was.
    static uint32_t PackageTime(int64_t unixTime, bool& clamped);
    // The name's bytes are taken as they are; false for a name the installer cannot create.
    static bool NameIsPackable(const std::string& name);

private:
    bool Walk(const std::string& path, const std::string& url);
    bool AddEntry(bool folder, const std::string& path, const std::string& url);

    std::vector<PackEntry> m_entries;
    uint64_t m_totalBytes = 0;
    int64_t m_sourceDateEpoch = -1;
    std::string m_error;
    std::vector<std::string> m_warnings;
};
