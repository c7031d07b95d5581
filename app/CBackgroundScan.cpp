#include "app/CBackgroundScan.h"

CBackgroundScan::~CBackgroundScan() { Join(); }

bool CBackgroundScan::Join()
{
    if (!m_thread)
        return false;
    WaitForSingleObject(m_thread, INFINITE);
    CloseHandle(m_thread);
    m_thread = nullptr;
    return true;
}

void CBackgroundScan::Start(CPackageReader& reader, uint32_t ownFileSize)
{
    if (m_thread)
        return;
    m_reader = &reader;
    m_ownSize = ownFileSize;
    // Without a thread the scan runs when its figures are asked for.
    m_thread = CreateThread(nullptr, 0, &CBackgroundScan::Run, this, 0, nullptr);
}

PackageRequirement CBackgroundScan::Finish()
{
    if (!Join() && m_reader)
        Run(this);
    m_reader = nullptr;
    return m_result;
}

DWORD WINAPI CBackgroundScan::Run(void* self)
{
    CBackgroundScan& scan = *static_cast<CBackgroundScan*>(self);
    scan.m_result = PreScan(*scan.m_reader, scan.m_ownSize);
    return 0;
}
