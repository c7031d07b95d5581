#include "install/CPackageEntries.h"

#include "package/CFileStream.h"
#include "package/CPackageReader.h"
#include "package/EntryTimes.h"

int CPackageEntries::LastTag() const { return m_reader.LastTag(); }
int CPackageEntries::NextTag() { return m_reader.NextTag(); }
bool CPackageEntries::ReadEntry(const CUrl& base, CUrl& url) { return m_reader.ReadEntry(base, url); }
uint32_t CPackageEntries::ReadBytes(void* bytes, uint32_t count) { return m_reader.ReadBytes(bytes, count); }

bool CPackageEntries::ReadDataInto(const char* path)
{
    // The file exists already (created under a journal record); the stream never creates one.
    CFileStream file(path, CFileStream::kModeReadWrite, CFileStream::kFlagSequential);
    if (!file.IsOpen())
        return false;
    m_reader.ReadDataInto(file);
    return !file.Failed();
}

void CPackageEntries::SkipData() { m_reader.MeasureData(); }
bool CPackageEntries::RecordIntact() const { return m_reader.RecordIntact(); }
void CPackageEntries::ApplyTimes(const char* path, const uint8_t* times) { ApplyEntryTimes(path, times); }
uint32_t CPackageEntries::SourcePosition() const { return m_reader.SourcePosition(); }
