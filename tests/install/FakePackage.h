#pragma once

// A made-up package for the file installation tests: a list of entries with their names,
// times and contents, and switches that damage single records the way a broken package is
// damaged (a cut header, missing time bytes, a record whose check value does not match), and
// one whose contents the volume refuses.
// The same entries can be packed into a real installer (PackedInstaller.h).

#include "install/CEntrySource.h"
#include "package/CStream.h"
#include "platform/CUrl.h"

#include <windows.h>

#include <string>
#include <vector>

namespace testsupport {

// Entry times in seconds since 1904: 2024-01-01 00:00 UTC and a minute and a half later.
constexpr uint32_t kEntryCreated = 3786912000u;
constexpr uint32_t kEntryWritten = kEntryCreated + 90;

// The Windows file time of an entry time.
inline uint64_t FileTimeOf(uint32_t seconds1904) { return (seconds1904 + 9561628800ull) * 10000000ull; }

struct FakeEntry {
    int tag;
    std::string name;
    std::string data;
    uint32_t written = kEntryWritten;
    bool cutHeader = false;
    bool shortTimes = false;
    bool corrupt = false;
    bool writeFails = false;
};

inline FakeEntry Folder(const std::string& name) { return FakeEntry{CEntrySource::kTagFolder, name, ""}; }
inline FakeEntry File(const std::string& name, const std::string& data) { return FakeEntry{CEntrySource::kTagFile, name, data}; }

class FakePackage : public CEntrySource {
public:
    static constexpr uint32_t kStart = 1000;
    static constexpr uint32_t kEntrySize = 100;

    explicit FakePackage(std::vector<FakeEntry> entries) : m_entries(std::move(entries)) {}

    int LastTag() const override { return m_index < m_entries.size() ? m_entries[m_index].tag : 0; }
    int NextTag() override
    {
        if (m_index < m_entries.size())
            ++m_index;
        return LastTag();
    }
    bool ReadEntry(const CUrl& base, CUrl& url) override
    {
        const FakeEntry& entry = m_entries[m_index];
        if (entry.cutHeader)
            return false;
        url = ParseUrl(entry.name.c_str());
        Resolve(url, base, true);
        return true;
    }
    uint32_t ReadBytes(void* bytes, uint32_t count) override
    {
        // Only the time bytes are read this way: creation and last write, big-endian.
        const uint32_t times[2] = {kEntryCreated, m_entries[m_index].written};
        uint8_t* out = static_cast<uint8_t*>(bytes);
        for (uint32_t i = 0; i < count && i < 8; ++i)
            out[i] = static_cast<uint8_t>(times[i / 4] >> (24 - 8 * (i % 4)));
        return m_entries[m_index].shortTimes ? count / 2 : count;
    }
    void ReadDataInto(CStream& target) override
    {
        ++dataReads;
        const std::string& data = m_entries[m_index].data;
        // A negative count is refused as a full or lost volume refuses a write.
        target.Write(data.data(), m_entries[m_index].writeFails ? -1 : static_cast<int32_t>(data.size()));
    }
    void SkipData() override {}
    bool RecordIntact() const override { return !m_entries[m_index].corrupt; }
    uint32_t SourcePosition() const override { return kStart + static_cast<uint32_t>(m_index) * kEntrySize; }

    int dataReads = 0;

private:
    std::vector<FakeEntry> m_entries;
    size_t m_index = 0;
};

} // namespace testsupport
