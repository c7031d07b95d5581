#include "resources/LLocalResSource.h"

#include "resources/ResourceLanguage.h"

#include <string>

LLocalResSource::LLocalResSource(HMODULE module, WORD languageId)
    : LResSource(module), m_languageId(languageId), m_suffix(ResourceLanguage::NameSuffix(languageId))
{
}

bool LLocalResSource::Load(const char* name, LStrList* list)
{
    // An integer resource id has no text to append a suffix to.
    if (!m_suffix.IsEmpty() && !IS_INTRESOURCE(name)) {
        const std::string localName = std::string(name) + m_suffix.Text();
        if (LoadExact(localName.c_str(), list))
            return true;
    }
    return LoadExact(name, list);
}
