#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CCodePage;
class CDiagnostics;

// One folder or file of the product tree, in the order the installer creates them.
struct PackEntry {
    bool folder = false;
    std::string name;   // relative URL, percent-encoded; "." is the root itself
    std::string path;   // native path on this machine
    std::string relative; // below the root, '\'-separated, UTF-8; "" for the root
    std::string packed;   // the same in the package's code page
    uint64_t size = 0;  // files only
    uint32_t created = 0;  // seconds since 1904-01-01 UTC
    uint32_t written = 0;
};

// Walks a product tree: the root first, then every folder before its contents, children sorted
// by name byte-wise, so that the same tree always gives the same entries. Names go into the
// package in the product's code page. Every name that has no exact form there, that Windows
// cannot create, or that Windows takes as the same name as another of its folder (letter case
// aside) is reported, each naming its file, and the walk goes on to find them all.
class CPackTree {
public:
    // sourceDateEpoch: when not negative, every time becomes this Unix time. codePageGiven:
    // whether the vendor chose the code page (else the problems suggest choosing one). False
    // when a problem was reported.
    bool Collect(const std::string& root, int64_t sourceDateEpoch, const CCodePage& codePage, bool codePageGiven,
                 CDiagnostics& problems);

    const std::vector<PackEntry>& Entries() const { return m_entries; }
    uint64_t TotalBytes() const { return m_totalBytes; }
    int Count(bool folders) const;

    // Seconds since 1904 for a Unix time, clamped to 32 bits; clamped tells whether it was.
    static uint32_t PackageTime(int64_t unixTime, bool& clamped);

private:
    struct Identity {
        uint64_t device;
        uint64_t node;
    };
    void Walk(const std::string& path, const std::string& url, const std::string& relative, const std::string& packed);
    // size and modified: what the walk's look at the entry found (size counts for files only).
    bool AddEntry(bool folder, const std::string& path, const std::string& url, const std::string& relative,
                  const std::string& packed, uint64_t size, int64_t modified);
    // The name in the package's code page, and in UTF-8; false with the problem reported.
    bool PackedName(const std::string& path, const std::string& name, std::string& packed, std::string& utf8);
    void Problem(const std::string& path, const std::string& message, const std::string& note = std::string());

    std::vector<PackEntry> m_entries;
    uint64_t m_totalBytes = 0;
    int64_t m_sourceDateEpoch = -1;
    const CCodePage* m_codePage = nullptr;
    bool m_codePageGiven = false;
    CDiagnostics* m_problems = nullptr;
    bool m_failed = false;
    std::vector<Identity> m_walking; // the folders from the root to the one being walked
};
