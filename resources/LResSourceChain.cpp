#include "resources/LResSourceChain.h"

LResSourceChain* LResSourceChain::s_default = nullptr;

LResSourceChain::~LResSourceChain()
{
    if (s_default == this)
        s_default = nullptr;
    for (LResSource* source : m_sources)
        delete source;
}

void LResSourceChain::Add(LResSource* source)
{
    if (source)
        m_sources.push_back(source);
}

bool LResSourceChain::Load(const char* name, LStrList* list)
{
    for (auto it = m_sources.rbegin(); it != m_sources.rend(); ++it) {
        if ((*it)->Load(name, list))
            return true;
    }
    return false;
}

WORD LResSourceChain::LanguageId() const
{
    for (auto it = m_sources.rbegin(); it != m_sources.rend(); ++it) {
        if (WORD id = (*it)->LanguageId())
            return id;
    }
    return 0;
}
