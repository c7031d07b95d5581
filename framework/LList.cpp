#include "framework/LList.h"

LList::LList()
    : m_last(&m_head)
{
    m_head.m_next = &m_head;
}

LList::~LList()
{
    Clear();
}

int LList::Count() const
{
    int count = 0;
    for (const LListNode* node = m_head.m_next; node != &m_head; node = node->m_next)
        ++count;
    return count;
}

void LList::InsertFront(LListNode* node)
{
    InsertAfter(nullptr, node);
}

void LList::Append(LListNode* node)
{
    InsertAfter(IsEmpty() ? nullptr : m_last, node);
}

void LList::InsertAfter(LListNode* after, LListNode* node)
{
    if (!node || node->m_next)
        return;
    LListNode* prev = after ? after : &m_head;
    node->m_next = prev->m_next;
    prev->m_next = node;
    if (prev == m_last)
        m_last = node;
}

bool LList::Remove(LListNode* node)
{
    if (!node || !node->m_next)
        return false;
    for (LListNode* prev = &m_head; prev->m_next != &m_head; prev = prev->m_next) {
        if (prev->m_next == node) {
            prev->m_next = node->m_next;
            if (m_last == node)
                m_last = prev;
            node->m_next = nullptr;
            return true;
        }
    }
    return false;
}

LListNode* LList::PopFront()
{
    LListNode* first = First();
    if (first)
        Remove(first);
    return first;
}

void LList::Clear()
{
    while (PopFront()) {
    }
}

bool LList::Contains(const LListNode* node) const
{
    for (const LListNode* it = m_head.m_next; it != &m_head; it = it->m_next) {
        if (it == node)
            return true;
    }
    return false;
}
