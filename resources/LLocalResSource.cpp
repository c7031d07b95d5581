#include "resources/LLocalResSource.h"

#include "platform/CTextBuilder.h"
#include "resources/ResourceLanguage.h"

LLocalResSource::LLocalResSource(HMODULE module, WORD languageId)
    : LResSource(module), m_languageId(languageId), m_suffix(ResourceLanguage::NameSuffix(languageId))
{
}

bool LLocalResSource::Load(const char* name, LStrList* list)
{
    // An integer resource id has no text to append a suffix to.
    if (!m_suffix.IsEmpty() && !IS_INTRESOURCE(name)) {
        CTextBuilder localName;
        localName.Append(name);
        localName.Append(m_suffix);
        if (!localName.Failed() && LoadExact(localName.Text(), list))
            return true;
    }
    return LoadExact(name, list);
}
