#include "app/CBackgroundScan.h"

CBackgroundScan::~CBackgroundScan()
{
    PackageRequirement unused;
    Finish(unused);
}

void CBackgroundScan::Start(CPackageReader& reader, uint32_t ownFileSize)
{
    if (m_thread)
        return;
    m_reader = &reader;
    m_ownSize = ownFileSize;
    m_thread = CreateThread(nullptr, 0, &CBackgroundScan::Run, this, 0, nullptr);
}

bool CBackgroundScan::Finish(PackageRequirement& requirement)
{
    if (!m_thread)
        return false;
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
    requirement = m_result;
    return true;
}

DWORD WINAPI CBackgroundScan::Run(void* self)
{
    CBackgroundScan& scan = *static_cast<CBackgroundScan*>(self);
    scan.m_result = PreScan(*scan.m_reader, scan.m_ownSize);
    return 0;
}
