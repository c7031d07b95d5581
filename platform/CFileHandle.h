#pragma once

#include <windows.h>

// Owns one file handle from CreateFileA and closes it on destruction.
class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;
    ~CFileHandle()
    {
        if (IsValid())
            CloseHandle(m_handle);
    }

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};
