#pragma once

#include "framework/LString.h"

#include <windows.h>

class CTextBuilder;

// An open registry key, closed on destruction. Every operation on a key that did not open
// returns false without calling the system.
class CRegKey {
public:
    // kOpenForChange opens an existing key for every access and never creates one.
    enum Mode { kOpenForReading = 0, kCreateOrOpen = 1, kOpenForChange = 2 };

    CRegKey(HKEY root, const char* subKey, int mode);
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    ~CRegKey();

    bool IsOpen() const { return m_open; }
    HKEY Handle() const { return m_key; }

    // The raw data of a value and its type.
    bool QueryValue(const char* name, CTextBuilder& data, DWORD& type) const;
    // The value's data, of whatever type, as text up to its first NUL; `text` stays unchanged
    // when the value cannot be read.
    bool ReadString(const char* name, LString& text) const;
    bool SetValue(const char* name, const void* data, DWORD size, DWORD type);
    // A REG_SZ value, terminating NUL included.
    bool SetString(const char* name, const char* text);
    bool DeleteValue(const char* name);
    // Deletes the named sub-key with everything below it, innermost keys first.
    bool DeleteKeyTree(const char* subKey);

private:
    HKEY m_key = nullptr;
    bool m_open = false;
};
