#include "ui/CLayoutTexts.h"

#include "resources/LStrList.h"

CLayoutTexts::CLayoutTexts(const char* names, const char* size, const char* placement, const char* tabOrder)
{
    m_sections[0] = names;
    m_sections[1] = size;
    m_sections[2] = placement;
    m_sections[3] = tabOrder;
}

CLayoutTexts CLayoutTexts::FromResource(const char* name)
{
    CLayoutTexts texts;
    LStrList list(name, LStrList::kLayout);
    for (int i = 0; i < kSections && i < list.Count(); ++i)
        texts.m_sections[i] = list.Get(i);
    return texts;
}

const LString& CLayoutTexts::Section(int index) const
{
    static const LString empty;
    return index >= 0 && index < kSections ? m_sections[index] : empty;
}
