#include "integration/ShortcutLines.h"

#include "install/CTextLines.h"
#include "integration/CShortcutLine.h"
#include "integration/ShellLink.h"
#include "platform/CDeleteFileOp.h"
#include "platform/CDeleteTreeOp.h"
#include "platform/FileSystem.h"

void CreateShortcutLines(const CVariables& variables, const CTextLines& lines)
{
    for (int i = 0; i < lines.Count(); ++i) {
        CShortcutLine line(variables, lines.At(i));
        if (!line.CreatesShortcut())
            continue;
        const char* shortcut = line.Shortcut().Text();
        if (EnsureParentFolders(shortcut) != 0)
            continue;
        CDeleteFileOp previous(shortcut);
        CreateShellLink(line.Target().Text(), shortcut, nullptr);
    }
}

void RemoveShortcutLines(const CVariables& variables, const CTextLines& lines)
{
    for (int i = lines.Count() - 1; i >= 0; --i) {
        CShortcutLine line(variables, lines.At(i));
        if (line.MayRemove())
            CDeleteTreeOp remove(line.Shortcut().Text());
    }
}
