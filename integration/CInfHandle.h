#pragma once

#include <windows.h>
#include <setupapi.h>

// Owns an INF file opened with SetupOpenInfFileA and closes it on destruction.
class CInfHandle {
public:
    explicit CInfHandle(HINF inf) : m_inf(inf) {}
    CInfHandle(const CInfHandle&) = delete;
    CInfHandle& operator=(const CInfHandle&) = delete;
    ~CInfHandle()
    {
        if (IsValid())
            SetupCloseInfFile(m_inf);
    }

    bool IsValid() const { return m_inf != INVALID_HANDLE_VALUE && m_inf != nullptr; }
    HINF Get() const { return m_inf; }

private:
    HINF m_inf;
};
