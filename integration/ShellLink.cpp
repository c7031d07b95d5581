#include "integration/ShellLink.h"

#include "integration/CComRef.h"

#include <objidl.h>
#include <shlobj.h>

#include <new>

namespace {

// The shortcut's file name in UTF-16, as IPersistFile wants it; null when it cannot be made.
wchar_t* WidePath(const char* path)
{
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0)
        return nullptr;
    wchar_t* wide = new (std::nothrow) wchar_t[static_cast<size_t>(length) + 1];
    if (!wide)
        return nullptr;
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, length) <= 0) {
        delete[] wide;
        return nullptr;
    }
    wide[length] = L'\0';
    return wide;
}

} // namespace

HRESULT CreateShellLink(const char* target, const char* shortcut, const char* description)
{
    CComRef<IShellLinkA> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.Receive());
    if (FAILED(result))
        return result;
    CComRef<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.Receive());
    if (FAILED(result))
        return result;
    result = link->SetPath(target);
    if (FAILED(result))
        return result;
    if (description) {
        result = link->SetDescription(description);
        if (FAILED(result))
            return result;
    }
    wchar_t* wide = WidePath(shortcut);
    if (!wide)
        return E_FAIL;
    result = file->Save(wide, TRUE);
    delete[] wide;
    return result;
}
