#include "install/CPackageEntries.h"

#include "package/CPackageReader.h"

int CPackageEntries::LastTag() const { return m_reader.LastTag(); }
int CPackageEntries::NextTag() { return m_reader.NextTag(); }
bool CPackageEntries::ReadEntry(const CUrl& base, CUrl& url) { return m_reader.ReadEntry(base, url); }
uint32_t CPackageEntries::ReadBytes(void* bytes, uint32_t count) { return m_reader.ReadBytes(bytes, count); }

void CPackageEntries::ReadDataInto(CStream& target) { m_reader.ReadDataInto(target); }
void CPackageEntries::SkipData() { m_reader.MeasureData(); }
bool CPackageEntries::RecordIntact() const { return m_reader.RecordIntact(); }
uint32_t CPackageEntries::SourcePosition() const { return m_reader.SourcePosition(); }
