#include "integration/RegistryLines.h"

#include "install/CTextLines.h"
#include "integration/CRegistryLine.h"
#include "platform/CRegKey.h"
#include "platform/PathText.h"

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

void RemoveLine(const CRegistryLine& line)
{
    if (!line.IsUsable())
        return;
    if (line.IsKeyLine()) {
        if (!line.MayDeleteKeyTree())
            return;
        const char* path = line.Key().Text();
        CRegKey parent(RootKey(line.Root()), ParentPath(path).Text(), CRegKey::kCreateOrOpen);
        parent.DeleteKeyTree(LastComponent(path).Text());
        return;
    }
    if (!line.MayDeleteValue())
        return;
    CRegKey key(RootKey(line.Root()), line.Key().Text(), CRegKey::kCreateOrOpen);
    key.DeleteValue(line.Name().Text());
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
