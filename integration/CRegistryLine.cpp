#include "integration/CRegistryLine.h"

#include "integration/CLineTokenizer.h"
#include "integration/Placeholders.h"
#include "platform/PathText.h"

CRegistryLine::CRegistryLine(const CVariables& variables, const LString& line)
{
    ExpansionNotes notes;
    LString expanded = ExpandPlaceholders(variables, line, &notes);
    m_emptyPlaceholder = notes.emptyPlaceholder;
    m_expansionFailed = notes.failed;
    CLineTokenizer reader(expanded);
    m_root = RootOf(reader.NextToken());
    m_key = reader.NextToken();
    m_name = reader.NextToken();
    reader.SkipBlanks();
    m_data = reader.RestOfLine();
}

RegistryRoot CRegistryLine::RootOf(const LString& name)
{
    if (name.Equals("HKLM"))
        return RegistryRoot::LocalMachine;
    if (name.Equals("HKCU"))
        return RegistryRoot::CurrentUser;
    if (name.Equals("HKCR"))
        return RegistryRoot::ClassesRoot;
    return RegistryRoot::Unknown;
}

bool CRegistryLine::MayDeleteKeyTree() const
{
    if (!IsUsable() || LastComponent(m_key.Text()).IsEmpty())
        return false;
    if (m_emptyPlaceholder && ParentPath(m_key.Text()).IsEmpty())
        return false;
    return true;
}

bool CRegistryLine::MayDeleteValue() const
{
    if (!IsUsable())
        return false;
    if (!m_emptyPlaceholder)
        return true;
    for (const char* at = m_key.Text(); *at; ++at)
        if (*at != '\\')
            return true;
    return false;
}
