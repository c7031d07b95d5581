#include "install/CTextLines.h"

#include <new>

const LString& CTextLines::At(int index) const
{
    static const LString kEmpty;
    const LString* line = m_lines.At(index);
    return line ? *line : kEmpty;
}

bool CTextLines::Append(const LString& line)
{
    LString* copy = new (std::nothrow) LString(line);
    if (!copy)
        return false;
    if (!m_lines.Append(copy)) {
        delete copy;
        return false;
    }
    return true;
}

void CTextLines::Clear()
{
    while (LString* line = m_lines.Pop())
        delete line;
}
