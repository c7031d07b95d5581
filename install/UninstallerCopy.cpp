#include "install/UninstallerCopy.h"

#include "install/CFilesInUse.h"
#include "install/CInstJournal.h"
#include "install/JournalSteps.h"
#include "platform/CChildPathOp.h"
#include "platform/CTempFile.h"
#include "platform/FileCopy.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"

namespace {

const char kFolderName[] = "Uninstall";
const char kFileName[] = "Uninstall.exe";

} // namespace

InstallResult CopyUninstaller(CInstJournal& journal, const char* destination, const char* ownPath,
                              CFilesInUse* filesInUse)
{
    CChildPathOp folderPath(destination, kFolderName);
    if (!folderPath.Succeeded())
        return kInsCannotWrite;
    const LString& folder = folderPath.ResultPath();
    LString folderUrl = PathToFileUrl(folder.Text());
    if (folderUrl.IsEmpty())
        return kInsCannotWrite;
    InstallResult code = CreateFolder(journal, folder, folderUrl);
    if (code != kInsOK)
        return code;
    // Named once the folder exists, as a URL is found by walking up existing folders.
    LString path = JoinPath(folder.Text(), kFileName);
    LString url = PathToFileUrl(path.Text());
    if (url.IsEmpty())
        return kInsCannotWrite;
    CTempFile temp;
    CJournalRecord* record = nullptr;
    code = StartNewFile(journal, path, url, false, temp, record);
    if (code == kInsFileInUse && filesInUse)
        filesInUse->Add(path);
    if (code != kInsOK)
        return code;
    // The copy opens the file by its path, which the creating handle would not share.
    temp.Close();
    if (CopyFileContents(ownPath, temp.Path().Text()) != kCopyDone)
        return kInsCannotWrite;
    // Stamped before it takes its name, so that its journal mark keeps its final times; a
    // read-only copy is deleted by a rollback all the same.
    if (CopyFileStamp(ownPath, temp.Path().Text()) != kCopyDone)
        return kInsCannotWrite;
    return PlaceNewFile(temp, path, record);
}
