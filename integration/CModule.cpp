#include "integration/CModule.h"

// Loading a library that is already in the process only counts one more user of it, so every
// holder loads and frees alike.
CModule::CModule(const char* name) : m_module(LoadLibraryA(name)) {}

CModule::~CModule()
{
    if (m_module)
        FreeLibrary(m_module);
}

FARPROC CModule::GetProc(const char* name) const
{
    return m_module ? GetProcAddress(m_module, name) : nullptr;
}
