#pragma once

#include <windows.h>

// A library the program uses for a while: one already in the process is borrowed, otherwise
// it is loaded and freed again when the holder ends.
class CModule {
public:
    explicit CModule(const char* name);
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;
    ~CModule();

    HMODULE Handle() const { return m_module; }
    bool Owned() const { return m_owned; }
    // The address of an export, or null when the library or the export is missing.
    FARPROC GetProc(const char* name) const;

private:
    HMODULE m_module = nullptr;
    bool m_owned = false;
};
