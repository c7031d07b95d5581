#pragma once

#include <windows.h>

// A library the program uses for a while, loaded for the holder and freed again when it ends.
class CModule {
public:
    explicit CModule(const char* name);
    CModule(const CModule&) = delete;
    CModule& operator=(const CModule&) = delete;
    ~CModule();

    HMODULE Handle() const { return m_module; }
    // The address of an export, or null when the library or the export is missing.
    FARPROC GetProc(const char* name) const;

private:
    HMODULE m_module = nullptr;
};
