#include "ui/CParentFolderChoice.h"

#include "platform/CParentFolderOp.h"
#include "ui/CFolderChooser.h"

LString CParentFolderChoice::InitialFolder(const LString& parentFolder)
{
    CParentFolderOp parent(parentFolder.Text());
    return parent.Succeeded() ? parent.ResultPath() : LString();
}

bool CParentFolderChoice::Choose(HWND owner, const LString& title, LString& parentFolder)
{
    CFolderChooser chooser(owner);
    chooser.SetTitle(title);
    chooser.SetInitialFolder(InitialFolder(parentFolder));
    if (!chooser.Run())
        return false;
    LString chosen = chooser.Result();
    if (chosen.IsEmpty())
        return false;
    parentFolder = chosen;
    return true;
}
