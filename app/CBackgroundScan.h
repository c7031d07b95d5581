#pragma once

#include "app/PackageScan.h"

#include <windows.h>

class CPackageReader;

// The pre-scan on a thread of its own, so that it runs while the window is being built: it
// decodes the whole package, which for a large product took longer than everything else
// before the window together. The reader belongs to the thread from Start until Finish.
class CBackgroundScan {
public:
    CBackgroundScan() = default;
    CBackgroundScan(const CBackgroundScan&) = delete;
    CBackgroundScan& operator=(const CBackgroundScan&) = delete;
    ~CBackgroundScan();

    // Starts the pre-scan from where the reader stands.
    void Start(CPackageReader& reader, uint32_t ownFileSize);
    // Whether a scan was started and has not ended yet.
    bool Running() const { return m_thread && WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT; }
    // Waits for the scan and gives its figures, the reader standing past the entries; scans
    // here when no thread could be started. Nothing when no scan was started.
    PackageRequirement Finish();

private:
    static DWORD WINAPI Run(void* self);
    // Waits for the thread and lets it go; false when there was none.
    bool Join();

    CPackageReader* m_reader = nullptr;
    uint32_t m_ownSize = 0;
    PackageRequirement m_result;
    HANDLE m_thread = nullptr;
};
