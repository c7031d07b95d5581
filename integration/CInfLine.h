#pragma once

#include "framework/LString.h"

class CVariables;

// One INF line of the description: the INF file's path (its placeholders expanded after the
// line has been split, so a destination with spaces stays one path), the install section,
// and the Windows family the line is meant for.
class CInfLine {
public:
    CInfLine(const CVariables& variables, const LString& line);

    const LString& InfPath() const { return m_infPath; }
    const LString& Section() const { return m_section; }
    const LString& Condition() const { return m_condition; }

    // "nt" holds only on the NT family, "win" only on the other; anything else always holds.
    bool AppliesTo(bool ntFamily) const;
    // False when a placeholder of the path gave nothing, which skips the line as a whole:
    // "%X%\driver.inf" with X unset would name an INF in a drive root.
    bool IsComplete() const { return m_complete; }

private:
    LString m_infPath;
    LString m_section;
    LString m_condition;
    bool m_complete = false;
};
