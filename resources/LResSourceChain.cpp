#include "resources/LResSourceChain.h"

LResSourceChain* LResSourceChain::s_default = nullptr;

LResSourceChain::~LResSourceChain()
{
    if (s_default == this)
        s_default = nullptr;
    while (LResSource* source = m_sources.Pop())
        delete source;
}

void LResSourceChain::Add(LResSource* source)
{
    if (source && !m_sources.Append(source))
        delete source;
}

bool LResSourceChain::Load(const char* name, LStrList* list)
{
    for (int i = m_sources.Count() - 1; i >= 0; --i) {
        if (m_sources.At(i)->Load(name, list))
            return true;
    }
    return false;
}

WORD LResSourceChain::LanguageId() const
{
    for (int i = m_sources.Count() - 1; i >= 0; --i) {
        if (WORD id = m_sources.At(i)->LanguageId())
            return id;
    }
    return 0;
}
