#include "framework/LString.h"

#include <cstdlib>
#include <cstring>

const char* LString::Text() const { return m_rep ? m_rep->text : ""; }

LString::LString(const char* text)
{
    if (text)
        Assign(text, std::strlen(text));
}

LString::LString(const char* text, size_t maxLength)
{
    if (!text)
        return;
    size_t length = 0;
    while (length < maxLength && text[length])
        ++length;
    Assign(text, length);
}

LString::LString(const LString& other)
    : m_rep(other.m_rep)
{
    if (m_rep)
        ++m_rep->refs;
}

LString::LString(LString&& other) noexcept
    : m_rep(other.m_rep)
{
    other.m_rep = nullptr;
}

LString::~LString()
{
    Release();
}

LString& LString::operator=(const LString& other)
{
    Rep* rep = other.m_rep; // read first: other may be this handle
    if (rep)
        ++rep->refs;
    Release();
    m_rep = rep;
    return *this;
}

LString& LString::operator=(LString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_rep = other.m_rep;
        other.m_rep = nullptr;
    }
    return *this;
}

bool LString::Equals(const char* text) const
{
    if (!text)
        return IsEmpty();
    size_t length = std::strlen(text);
    return length == Length() && std::memcmp(Text(), text, length) == 0;
}

bool LString::operator==(const LString& other) const
{
    if (m_rep == other.m_rep)
        return true;
    return Length() == other.Length() && std::memcmp(Text(), other.Text(), Length()) == 0;
}

void LString::Assign(const char* text, size_t length)
{
    // The empty text is always the null handle, so that all empty texts share one value.
    if (length == 0)
        return;
    Rep* rep = static_cast<Rep*>(std::malloc(offsetof(Rep, text) + length + 1));
    if (!rep)
        return; // out of memory: the text stays empty
    rep->refs = 1;
    rep->length = length;
    std::memcpy(rep->text, text, length);
    rep->text[length] = '\0';
    m_rep = rep;
}

void LString::Release()
{
    if (m_rep && --m_rep->refs == 0)
        std::free(m_rep);
    m_rep = nullptr;
}
