#include "integration/CInfLine.h"

#include "integration/CLineTokenizer.h"
#include "integration/Placeholders.h"

CInfLine::CInfLine(const CVariables& variables, const LString& line)
{
    CLineTokenizer reader(line);
    m_infPath = ExpandPlaceholders(variables, reader.NextToken(), &m_complete);
    m_section = reader.NextToken();
    m_condition = reader.NextToken();
}

bool CInfLine::AppliesTo(bool ntFamily) const
{
    if (m_condition.Equals("nt"))
        return ntFamily;
    if (m_condition.Equals("win"))
        return !ntFamily;
    return true;
}
