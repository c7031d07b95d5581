#pragma once

#include <windows.h>

// The process and thread handles that CreateProcessA returns, closed on destruction.
class CStartedProcess {
public:
    CStartedProcess() = default;
    CStartedProcess(const CStartedProcess&) = delete;
    CStartedProcess& operator=(const CStartedProcess&) = delete;
    ~CStartedProcess()
    {
        if (m_info.hThread)
            CloseHandle(m_info.hThread);
        if (m_info.hProcess)
            CloseHandle(m_info.hProcess);
    }

    PROCESS_INFORMATION* Receive() { return &m_info; }

private:
    PROCESS_INFORMATION m_info = {};
};
