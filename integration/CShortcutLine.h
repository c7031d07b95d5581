#pragma once

#include "framework/LString.h"

class CVariables;

// One shortcut line of the description after placeholder expansion: the shortcut file (or,
// alone on its line, a folder of shortcuts) and the file or document it points to.
class CShortcutLine {
public:
    CShortcutLine(const CVariables& variables, const LString& line);

    const LString& Shortcut() const { return m_shortcut; }
    const LString& Target() const { return m_target; }
    // A line in which a placeholder gave nothing is skipped as a whole, at installation and at
    // removal alike: "%START%\Group" with START unset would name "\Group" in a drive root.
    // A line creates a shortcut only when it names both paths.
    bool CreatesShortcut() const { return m_complete && !m_shortcut.IsEmpty() && !m_target.IsEmpty(); }
    // Whether removing the line may delete its first path with everything inside. A path that
    // is not inside some folder (a drive root, a bare name, "\Group") is never deleted.
    bool MayRemove() const;

private:
    LString m_shortcut;
    LString m_target;
    bool m_complete = false;
};
