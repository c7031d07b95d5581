#include "resources/LResSource.h"

#include "resources/LStrList.h"

bool LResSource::Load(const char* name, LStrList* list)
{
    return LoadExact(name, list);
}

bool LResSource::LoadExact(const char* name, LStrList* list)
{
    HRSRC info = FindResourceA(m_module, name, list->Type());
    if (!info)
        return false;
    HGLOBAL loaded = LoadResource(m_module, info);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;
    // The size bounds every read, so a damaged resource cannot lead past the module's data.
    list->Attach(bytes, SizeofResource(m_module, info));
    return true;
}
