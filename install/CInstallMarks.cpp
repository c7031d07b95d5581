#include "install/CInstallMarks.h"

#include "platform/CRegKey.h"
#include "platform/PathText.h"
#include "platform/CTextBuilder.h"

#include <windows.h>

const char kInstallMarksKey[] = "SOFTWARE\\Installer\\Installations in progress";

namespace {

LString ProductKey(const LString& key, const LString& product)
{
    // A product name that would reach into another key marks nothing (stepping by characters:
    // a double-byte character may end in the byte of '\').
    if (product.IsEmpty() || NextSeparator(product.Text(), 0) != product.Length())
        return LString();
    CTextBuilder path;
    path.Append(key);
    path.AppendChar('\\');
    path.Append(product);
    return path.Failed() ? LString() : path.ToString();
}

} // namespace

CInstallMarks::CInstallMarks(const char* key, const LString& product)
    : m_key(ProductKey(LString(key), product))
{
}

bool CInstallMarks::Set(const LString& destination)
{
    if (m_key.IsEmpty() || destination.IsEmpty())
        return false;
    CRegKey key(HKEY_LOCAL_MACHINE, m_key.Text(), CRegKey::kCreateOrOpen);
    // Written through at once: a power cut must not lose the mark of files already changed.
    return key.SetString(destination.Text(), "") && RegFlushKey(key.Handle()) == ERROR_SUCCESS;
}

void CInstallMarks::Remove(const LString& destination)
{
    if (m_key.IsEmpty())
        return;
    CRegKey key(HKEY_LOCAL_MACHINE, m_key.Text(), CRegKey::kOpenForChange);
    key.DeleteValue(destination.Text());
}

LString CInstallMarks::List() const
{
    CRegKey key(HKEY_LOCAL_MACHINE, m_key.IsEmpty() ? "" : m_key.Text(), CRegKey::kOpenForReading);
    if (m_key.IsEmpty() || !key.IsOpen())
        return LString();
    CTextBuilder names;
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH + 1] = {};
        DWORD length = sizeof name;
        LONG status = RegEnumValueA(key.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_NO_MORE_ITEMS)
            break;
        // A name longer than a path cannot be a destination this program marked.
        if (status != ERROR_SUCCESS)
            continue;
        names.Append(name, length);
        names.AppendChar('\n');
    }
    return names.Failed() ? LString() : names.ToString();
}
