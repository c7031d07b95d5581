#include "integration/RegistryLines.h"

#include "install/CTextLines.h"
#include "integration/CRegistryLine.h"
#include "integration/KeyPath.h"
#include "platform/CRegKey.h"

#include <windows.h>

namespace {

HKEY RootKey(RegistryRoot root)
{
    switch (root) {
    case RegistryRoot::LocalMachine:
        return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser:
        return HKEY_CURRENT_USER;
    case RegistryRoot::ClassesRoot:
        return HKEY_CLASSES_ROOT;
    case RegistryRoot::Unknown:
        break;
    }
    return nullptr;
}

void WriteLine(const CRegistryLine& line)
{
    if (!line.IsUsable())
        return;
    CRegKey key(RootKey(line.Root()), line.Key().Text(), CRegKey::kCreateOrOpen);
    if (!line.IsKeyLine())
        key.SetString(line.Name().Text(), line.Data().Text());
}

// Removal opens existing keys only: a key that is gone already stays gone.
void RemoveLine(const CRegistryLine& line)
{
    if (!line.IsUsable())
        return;
    const char* path = line.Key().Text();
    if (!line.IsKeyLine()) {
        CRegKey key(RootKey(line.Root()), path, CRegKey::kOpenForChange);
        key.DeleteValue(line.Name().Text());
        return;
    }
    // An empty name would stand for the parent itself, whose keys would all go.
    LString name = LastKeyName(path);
    if (name.IsEmpty())
        return;
    CRegKey parent(RootKey(line.Root()), ParentKey(path).Text(), CRegKey::kOpenForChange);
    parent.DeleteKeyTree(name.Text());
}

} // namespace

void WriteRegistryLines(const CVariables& variables, const CTextLines& lines)
{
    for (int i = 0; i < lines.Count(); ++i)
        WriteLine(CRegistryLine(variables, lines.At(i)));
}

void RemoveRegistryLines(const CVariables& variables, const CTextLines& lines)
{
    for (int i = lines.Count() - 1; i >= 0; --i)
        RemoveLine(CRegistryLine(variables, lines.At(i)));
}
