#include "integration/CShortcutLine.h"

#include "integration/CLineTokenizer.h"
#include "integration/Placeholders.h"
#include "platform/PathText.h"

CShortcutLine::CShortcutLine(const CVariables& variables, const LString& line)
{
    LString expanded = ExpandPlaceholders(variables, line, &m_complete);
    CLineTokenizer reader(expanded);
    m_shortcut = reader.NextToken();
    m_target = reader.NextToken();
}

bool CShortcutLine::MayRemove() const
{
    const char* path = m_shortcut.Text();
    if (!m_complete || m_shortcut.IsEmpty() || LastComponent(path).IsEmpty())
        return false;
    return !ParentPath(path).IsEmpty();
}
