#include "layout/LLayoutSections.h"

#include "resources/LStrList.h"

LLayoutSections::LLayoutSections(const char* ids, const char* size, const char* place, const char* tabOrder)
{
    m_sections[kIds] = LString(ids);
    m_sections[kSize] = LString(size);
    m_sections[kPlace] = LString(place);
    m_count = 3;
    if (tabOrder) {
        m_sections[kTabOrder] = LString(tabOrder);
        m_count = 4;
    }
}

LLayoutSections LLayoutSections::FromResource(const char* name)
{
    LLayoutSections layout;
    LStrList list(name, LStrList::kLayout);
    layout.m_count = list.Count() < kMax ? list.Count() : kMax;
    for (int i = 0; i < layout.m_count; ++i)
        layout.m_sections[i] = list.Get(i);
    return layout;
}

const char* LLayoutSections::Section(int index) const
{
    return index >= 0 && index < m_count ? m_sections[index].Text() : "";
}
