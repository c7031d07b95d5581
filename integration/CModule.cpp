#include "integration/CModule.h"

CModule::CModule(const char* name)
{
    m_module = GetModuleHandleA(name);
    if (!m_module) {
        m_module = LoadLibraryA(name);
        m_owned = m_module != nullptr;
    }
}

CModule::~CModule()
{
    if (m_owned)
        FreeLibrary(m_module);
}

FARPROC CModule::GetProc(const char* name) const
{
    return m_module ? GetProcAddress(m_module, name) : nullptr;
}
