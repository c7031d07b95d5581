#include "platform/CTextBuilder.h"

#include <cstdlib>
#include <cstring>

CTextBuilder::CTextBuilder() = default;

const char* CTextBuilder::Text() const { return m_length ? m_data : ""; }

CTextBuilder::~CTextBuilder()
{
    if (m_data != m_inline)
        std::free(m_data);
}

bool CTextBuilder::Reserve(size_t needed)
{
    // One byte more than the text for the terminating NUL.
    if (needed < m_capacity)
        return true;
    size_t capacity = m_capacity;
    while (capacity <= needed) {
        if (capacity > static_cast<size_t>(-1) / 2)
            return false;
        capacity *= 2;
    }
    char* grown;
    if (m_data == m_inline) {
        grown = static_cast<char*>(std::malloc(capacity));
        if (grown)
            std::memcpy(grown, m_inline, m_length + 1);
    } else {
        grown = static_cast<char*>(std::realloc(m_data, capacity));
    }
    if (!grown)
        return false;
    m_data = grown;
    m_capacity = capacity;
    return true;
}

void CTextBuilder::Append(const char* bytes, size_t count)
{
    if (count == 0)
        return;
    // Appending a part of this builder's own text must survive the buffer moving.
    bool own = bytes >= m_data && bytes < m_data + m_length;
    size_t ownOffset = own ? static_cast<size_t>(bytes - m_data) : 0;
    if (count > static_cast<size_t>(-1) - m_length - 1 || !Reserve(m_length + count)) {
        m_failed = true;
        return;
    }
    if (own)
        bytes = m_data + ownOffset;
    std::memmove(m_data + m_length, bytes, count);
    m_length += count;
    m_data[m_length] = '\0';
}

void CTextBuilder::Append(const char* text)
{
    if (text)
        Append(text, std::strlen(text));
}

void CTextBuilder::AppendNumber(long value)
{
    // By hand: the C library's formatter would bring its floating-point code into the installer.
    char digits[24];
    char* end = digits + sizeof digits;
    char* p = end;
    unsigned long magnitude = value < 0 ? 0ul - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0)
        *--p = '-';
    Append(p, static_cast<size_t>(end - p));
}

void CTextBuilder::Clear()
{
    m_length = 0;
    m_data[0] = '\0';
    m_failed = false;
}

void CTextBuilder::Truncate(size_t length)
{
    if (length < m_length) {
        m_length = length;
        m_data[m_length] = '\0';
    }
}
