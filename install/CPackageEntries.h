#pragma once

#include "install/CEntrySource.h"

class CPackageReader;

// The file installation's view of the real package: entries come from the package reader,
// data runs go straight into the files the installation created.
class CPackageEntries final : public CEntrySource {
public:
    explicit CPackageEntries(CPackageReader& reader) : m_reader(reader) {}

    int LastTag() const override;
    int NextTag() override;
    bool ReadEntry(const CUrl& base, CUrl& url) override;
    uint32_t ReadBytes(void* bytes, uint32_t count) override;
    void ReadDataInto(CStream& target) override;
    void SkipData() override;
    bool RecordIntact() const override;
    uint32_t SourcePosition() const override;

private:
    CPackageReader& m_reader;
};
