#include "integration/CLineTokenizer.h"

CLineTokenizer::CLineTokenizer(const char* text, size_t length) : m_at(text), m_end(text + length)
{
}

bool CLineTokenizer::IsWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool CLineTokenizer::IsBlank(char c)
{
    return IsWhiteSpace(c) && c != '\r' && c != '\n';
}

bool CLineTokenizer::AtLineEnd() const
{
    return m_at == m_end || *m_at == '\r' || *m_at == '\n';
}

void CLineTokenizer::SkipBlanks()
{
    while (m_at != m_end && IsBlank(*m_at))
        ++m_at;
}

LString CLineTokenizer::NextToken()
{
    SkipBlanks();
    if (AtLineEnd())
        return LString();
    char first = *m_at;
    if (first == '"' || first == '\'') {
        const char* start = ++m_at;
        while (!AtLineEnd() && *m_at != first)
            ++m_at;
        LString token(start, static_cast<size_t>(m_at - start));
        if (m_at != m_end && *m_at == first)
            ++m_at;
        return token;
    }
    const char* start = m_at;
    while (m_at != m_end && !IsWhiteSpace(*m_at))
        ++m_at;
    return LString(start, static_cast<size_t>(m_at - start));
}

LString CLineTokenizer::RestOfLine()
{
    const char* start = m_at;
    while (!AtLineEnd())
        ++m_at;
    return LString(start, static_cast<size_t>(m_at - start));
}
