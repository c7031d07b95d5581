#pragma once

#include "framework/LString.h"
#include "install/ProcedureTexts.h"

// The files that another program holds, found while an installation replaces or an
// uninstallation removes them. The first few are kept to be named to the user, in the order
// they were found; all are counted.
class CFilesInUse {
public:
    void Add(const LString& path)
    {
        if (m_count < kShown)
            m_paths[m_count] = path;
        ++m_count;
    }

    // The notice: the files (the first few, then "..." when there are more) and `advice`, what
    // the user does about them. Built by the procedures, from their texts.
    LString Text(InstallMessage advice) const;

    static const int kShown = 3;

private:
    LString m_paths[kShown];
    int m_count = 0;
};
