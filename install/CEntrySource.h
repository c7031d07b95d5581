#pragma once

#include <cstdint>

class CStream;
struct CUrl;

// The package's entries as the file installation reads them, one record after another. The
// package reader provides them in the installer; tests provide made-up packages, including
// damaged and hostile ones.
class CEntrySource {
public:
    // Record tags of the package stream.
    static constexpr int kTagFile = 4;
    static constexpr int kTagFolder = 5;

    // The tag of the current record (0 at the end).
    virtual int LastTag() const = 0;
    virtual int NextTag() = 0;
    // Reads the record header and the entry name and resolves the name against the base.
    virtual bool ReadEntry(const CUrl& base, CUrl& url) = 0;
    // Reads up to count bytes of the record; returns how many arrived.
    virtual uint32_t ReadBytes(void* bytes, uint32_t count) = 0;
    // Writes the entry's data run into the target; a failed write shows as the target's error.
    virtual void ReadDataInto(CStream& target) = 0;
    // Reads the entry's data run and drops it.
    virtual void SkipData() = 0;
    // False when the record just read does not match its check value.
    virtual bool RecordIntact() const = 0;
    // How far the package has been read, for the progress bar.
    virtual uint32_t SourcePosition() const = 0;

protected:
    ~CEntrySource() = default;
};
