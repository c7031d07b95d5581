#include "integration/CRegistryLine.h"

#include "integration/CLineTokenizer.h"
#include "integration/Placeholders.h"

CRegistryLine::CRegistryLine(const CVariables& variables, const LString& line)
{
    LString expanded = ExpandPlaceholders(variables, line, &m_complete);
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
