#include "resources/LStrList.h"

#include "resources/LResSourceChain.h"

LStrList::LStrList(const char* name, const char* type, LResSource* source)
    : m_type(type)
{
    if (!source)
        source = LResSourceChain::Default();
    if (source && name)
        source->Load(name, this);
}
