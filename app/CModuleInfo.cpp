#include "app/CModuleInfo.h"

CModuleInfo* CModuleInfo::s_current = nullptr;

CModuleInfo::CModuleInfo(HINSTANCE instance)
    : m_instance(instance)
{
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(instance, path, MAX_PATH);
    // A path cut at the buffer's end would name another file.
    if (length > 0 && length < MAX_PATH)
        m_ownPath = LString(path, length);
}
