#include "framework/LPtrArray.h"

#include <climits>
#include <cstdlib>
#include <cstring>

LPtrArrayBase::~LPtrArrayBase()
{
    std::free(m_data);
}

bool LPtrArrayBase::Append(void* item)
{
    if (m_count == m_capacity) {
        if (m_capacity > INT_MAX / 2)
            return false;
        int capacity = m_capacity ? m_capacity * 2 : 8;
        void* grown = std::realloc(m_data, sizeof(void*) * static_cast<size_t>(capacity));
        if (!grown)
            return false;
        m_data = static_cast<void**>(grown);
        m_capacity = capacity;
    }
    m_data[m_count++] = item;
    return true;
}

void LPtrArrayBase::RemoveAt(int index)
{
    if (index < 0 || index >= m_count)
        return;
    std::memmove(m_data + index, m_data + index + 1, sizeof(void*) * static_cast<size_t>(m_count - index - 1));
    --m_count;
}

void* LPtrArrayBase::Pop()
{
    if (m_count == 0)
        return nullptr;
    return m_data[--m_count];
}

void LPtrArrayBase::Sort(int (*compare)(const void* left, const void* right))
{
    if (m_count > 1)
        std::qsort(m_data, static_cast<size_t>(m_count), sizeof(void*), compare);
}

int LPtrArrayBase::IndexOf(const void* item) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_data[i] == item)
            return i;
    }
    return -1;
}
