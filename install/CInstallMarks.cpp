#include "install/CInstallMarks.h"

#include "platform/CRegKey.h"
#include "platform/PathText.h"
#include "platform/CTextBuilder.h"

#include <windows.h>

alignas(1) const char kInstallMarksKey[] = "SOFTWARE\\Installer\\Installations in progress";

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

bool IsEmptyKey(const char* path)
{
    CRegKey key(HKEY_LOCAL_MACHINE, path, CRegKey::kOpenForReading);
    // Empty when there is neither a first subkey nor a first value; a name too long for the
    // buffer still says there is one.
    char name[2];
    DWORD length = sizeof name;
    return key.IsOpen() && RegEnumKeyA(key.Handle(), 0, name, sizeof name) == ERROR_NO_MORE_ITEMS &&
           RegEnumValueA(key.Handle(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS;
}

// The product's key and the keys above it that hold nothing else go with the last mark, so that
// no installation leaves an empty key behind; a top-level key such as SOFTWARE always stays. An
// installation marking the same product meanwhile finds its key gone and fails before any change.
void RemoveEmptyKeys(LString path)
{
    for (;;) {
        size_t last = 0, separators = 0;
        for (size_t at = 0; (at = NextSeparator(path.Text(), at)) < path.Length(); ++at, ++separators)
            last = at;
        if (separators == 0 || !IsEmptyKey(path.Text()) || RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.Text()) != ERROR_SUCCESS)
            return;
        path = LString(path.Text(), last);
    }
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
    // The last mark of another installation may take a key on the way away at the same moment
    // (RemoveEmptyKeys): the key is made again then.
    for (int attempt = 0; attempt < 5; ++attempt) {
        CRegKey key(HKEY_LOCAL_MACHINE, m_key.Text(), CRegKey::kCreateOrOpen);
        // Written through at once: a power cut must not lose the mark of files already changed.
        if (key.SetString(destination.Text(), "") && RegFlushKey(key.Handle()) == ERROR_SUCCESS)
            return true;
    }
    return false;
}

void CInstallMarks::Remove(const LString& destination)
{
    if (m_key.IsEmpty())
        return;
    {
        CRegKey key(HKEY_LOCAL_MACHINE, m_key.Text(), CRegKey::kOpenForChange);
        key.DeleteValue(destination.Text());
    }
    RemoveEmptyKeys(m_key);
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
