#pragma once

#include "framework/LString.h"
#include "install/ProcedureTexts.h"

// The files that another program holds, found while an installation replaces or an
// uninstallation removes them. The walks that find them go backwards through the package, so
// each comes before those found so far: the last few found are kept to be named to the user,
// and all are counted.
class CFilesInUse {
public:
    void Add(const LString& path)
    {
        for (int i = kShown - 1; i > 0; --i)
            m_paths[i] = m_paths[i - 1];
        m_paths[0] = path;
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
