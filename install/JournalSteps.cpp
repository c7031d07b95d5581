#include "install/JournalSteps.h"

#include "install/CInstJournal.h"
#include "platform/CCreateFolderOp.h"
#include "platform/CFileFind.h"
#include "platform/CRenameOp.h"
#include "platform/CTextBuilder.h"
#include "platform/PathText.h"

#include <windows.h>

InstallResult MoveAside(CInstJournal& journal, const LString& path, const LString& url)
{
    CTextBuilder backup;
    backup.Append("tmp");
    backup.AppendNumber(static_cast<long>(GetTickCount()));
    if (backup.Failed())
        return kInsNoMemory;
    CJournalRecord* record = journal.Enter(kJournalReplaced, url, backup.ToString());
    if (!record)
        return kInsNoMemory;
    CRenameOp rename(path.Text(), backup.Text(), ConflictMode::Number);
    if (!rename.Succeeded())
        return kInsCannotWrite;
    record->backupName = LastComponent(rename.ResultPath().Text());
    CInstJournal::Done(record);
    return kInsOK;
}

InstallResult CreateFolder(CInstJournal& journal, const LString& path, const LString& url)
{
    {
        CFileFind existing(path.Text(), false);
        if (existing.Found())
            return existing.IsFolder() ? kInsOK : kInsCannotCreateFolder;
    }
    CJournalRecord* record = journal.Enter(kJournalFolder, url);
    if (!record)
        return kInsNoMemory;
    CCreateFolderOp create(path.Text(), ConflictMode::UseExisting);
    if (!create.Succeeded())
        return kInsCannotWrite;
    CInstJournal::Done(record);
    return kInsOK;
}
