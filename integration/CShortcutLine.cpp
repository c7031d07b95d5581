#include "integration/CShortcutLine.h"

#include "integration/CLineTokenizer.h"
#include "integration/Placeholders.h"
#include "platform/PathText.h"

CShortcutLine::CShortcutLine(const CVariables& variables, const LString& line)
{
    ExpansionNotes notes;
    LString expanded = ExpandPlaceholders(variables, line, &notes);
    m_emptyPlaceholder = notes.emptyPlaceholder;
    CLineTokenizer reader(expanded);
    m_shortcut = reader.NextToken();
    m_target = reader.NextToken();
}

bool CShortcutLine::MayRemove() const
{
    const char* path = m_shortcut.Text();
    if (m_shortcut.IsEmpty() || LastComponent(path).IsEmpty())
        return false;
    LString parent = ParentPath(path);
    if (parent.IsEmpty())
        return false;
    if (m_emptyPlaceholder && parent == DriveRootOf(path))
        return false;
    return true;
}
