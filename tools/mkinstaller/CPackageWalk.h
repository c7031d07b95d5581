#pragma once

#include <cstdint>
#include <string>

// One folder or file of a package as the installation would create it.
struct WalkedEntry {
    bool folder = false;
    std::string path;      // decoded into the build machine's text, '/'-separated, relative to
                           // the destination; "" for the root
    uint32_t created = 0;  // seconds since 1904-01-01 UTC (files only)
    uint32_t written = 0;
    uint64_t size = 0;     // files: known once the data run has been read
};

// What a walk over the package does with the records; returning false stops the walk, and the
// visitor keeps its own reason.
class CPackageVisitor {
public:
    virtual ~CPackageVisitor() = default;
    virtual bool Description(const std::string&) { return true; }
    virtual bool Folder(const WalkedEntry&) { return true; }
    virtual bool BeginFile(const WalkedEntry&) { return true; }
    virtual bool FileData(const uint8_t*, uint32_t) { return true; }
    virtual bool EndFile(const WalkedEntry&) { return true; }
    virtual std::string Error() const { return "stopped"; }
};

// Reads an installer's package with the installer's own reader: the trailer search, then the
// description and every entry, each record checked against its check sum. Names are resolved
// against the destination as the installation resolves them, and a name that would land
// outside it, or that Windows could not create, stops the walk. Names are turned from the
// package's code page into the build machine's text.
class CPackageWalk {
public:
    // Errors name the file; the walk stops at the first. codePage: the package's code page, or
    // 0 for the one it records (1252 when it records none).
    bool Walk(const std::string& file, CPackageVisitor& visitor, unsigned codePage = 0);

    const std::string& Error() const { return m_error; }
    uint32_t PackageStart() const { return m_start; }
    uint32_t PackageEnd() const { return m_end; }
    int Records() const { return m_records; }
    int UncheckedRecords() const { return m_unchecked; }
    uint64_t DataBytes() const { return m_dataBytes; }
    unsigned CodePage() const { return m_codePage; }

    // Unix time of a package time.
    static int64_t UnixTime(uint32_t packageTime);

private:
    bool Fail(const std::string& file, const std::string& reason);

    std::string m_error;
    uint32_t m_start = 0;
    uint32_t m_end = 0;
    int m_records = 0;
    int m_unchecked = 0;
    uint64_t m_dataBytes = 0;
    unsigned m_codePage = 0;
};
