#pragma once

#include "framework/LString.h"

// The folders of the machine that the installer needs, found once at start-up: the temporary
// folder (where the uninstaller's batch file goes) and the program-files folder (the base of
// the suggested destination). Either may be empty when the system does not say.
class CSystemFolders {
public:
    CSystemFolders();
    CSystemFolders(const CSystemFolders&) = delete;
    CSystemFolders& operator=(const CSystemFolders&) = delete;

    // As GetTempPathA gives it, with its trailing '\'; the current directory when there is no
    // temporary folder.
    const LString& Temp() const { return m_temp; }
    const LString& ProgramFiles() const { return m_programFiles; }

    // The process-wide object that start-up creates; null before and after.
    static CSystemFolders* Current() { return s_current; }
    static void SetCurrent(CSystemFolders* folders) { s_current = folders; }

private:
    static CSystemFolders* s_current;

    LString m_temp;
    LString m_programFiles;
};
