#pragma once

#include <windows.h>

// Owns one find handle from FindFirstFileA and closes it on destruction.
class CFindHandle {
public:
    CFindHandle() = default;
    CFindHandle(const CFindHandle&) = delete;
    CFindHandle& operator=(const CFindHandle&) = delete;
    ~CFindHandle() { Reset(INVALID_HANDLE_VALUE); }

    void Reset(HANDLE handle)
    {
        if (IsValid())
            FindClose(m_handle);
        m_handle = handle;
    }
    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
