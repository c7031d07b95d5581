#pragma once

#include "framework/LString.h"

#include <windows.h>

// The program's instance and the full path of its own file, which holds the package. Created
// first at start-up and reachable by every part of the run until the end.
class CModuleInfo {
public:
    explicit CModuleInfo(HINSTANCE instance);
    CModuleInfo(const CModuleInfo&) = delete;
    CModuleInfo& operator=(const CModuleInfo&) = delete;

    HINSTANCE Instance() const { return m_instance; }
    // Empty when the system does not say (or the path does not fit 260 characters).
    const LString& OwnPath() const { return m_ownPath; }

    static CModuleInfo* Current() { return s_current; }
    static void SetCurrent(CModuleInfo* info) { s_current = info; }

private:
    static CModuleInfo* s_current;

    HINSTANCE m_instance;
    LString m_ownPath;
};
