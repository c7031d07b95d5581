#include "platform/CRegKey.h"

#include "platform/CTextBuilder.h"

#include <cstring>
#include <new>

CRegKey::CRegKey(HKEY root, const char* subKey, int mode)
{
    LONG result = ERROR_INVALID_PARAMETER;
    if (mode == kOpenForReading) {
        result = RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS, &m_key);
    } else if (mode == kCreateOrOpen) {
        DWORD disposition = 0;
        result = RegCreateKeyExA(root, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                 nullptr, &m_key, &disposition);
    } else if (mode == kOpenForChange) {
        result = RegOpenKeyExA(root, subKey, 0, KEY_ALL_ACCESS, &m_key);
    }
    m_open = result == ERROR_SUCCESS;
    if (!m_open)
        m_key = nullptr;
}

CRegKey::~CRegKey()
{
    if (m_open)
        RegCloseKey(m_key);
}

bool CRegKey::QueryValue(const char* name, CTextBuilder& data, DWORD& type) const
{
    if (!m_open)
        return false;
    DWORD size = 0;
    if (RegQueryValueExA(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    BYTE* buffer = new (std::nothrow) BYTE[size + 1];
    if (!buffer)
        return false;
    bool read = RegQueryValueExA(m_key, name, nullptr, &type, buffer, &size) == ERROR_SUCCESS;
    if (read) {
        data.Clear();
        data.Append(reinterpret_cast<const char*>(buffer), size);
        read = !data.Failed();
    }
    delete[] buffer;
    return read;
}

bool CRegKey::ReadString(const char* name, LString& text) const
{
    CTextBuilder data;
    DWORD type = 0;
    if (!QueryValue(name, data, type))
        return false;
    text = LString(data.Text(), data.Length());
    return true;
}

bool CRegKey::SetValue(const char* name, const void* data, DWORD size, DWORD type)
{
    if (!m_open)
        return false;
    return RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool CRegKey::SetString(const char* name, const char* text)
{
    return SetValue(name, text, static_cast<DWORD>(std::strlen(text) + 1), REG_SZ);
}

bool CRegKey::DeleteValue(const char* name)
{
    if (!m_open)
        return false;
    return RegDeleteValueA(m_key, name) == ERROR_SUCCESS;
}

bool CRegKey::DeleteKeyTree(const char* subKey)
{
    if (!m_open)
        return false;
    {
        CRegKey key(m_key, subKey, kOpenForChange);
        while (key.IsOpen()) {
            char child[MAX_PATH + 1] = {};
            if (RegEnumKeyA(key.m_key, 0, child, MAX_PATH) != ERROR_SUCCESS)
                break;
            // A child that cannot be deleted would be found again and again: stop there.
            if (!key.DeleteKeyTree(child))
                break;
        }
    }
    return RegDeleteKeyA(m_key, subKey) == ERROR_SUCCESS;
}
