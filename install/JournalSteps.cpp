#include "install/JournalSteps.h"

#include "install/CInstJournal.h"
#include "platform/CCreateFolderOp.h"
#include "platform/CFileOp.h"
#include "platform/CRenameOp.h"
#include "platform/CTempFile.h"
#include "platform/FileSystem.h"
#include "platform/CTextBuilder.h"
#include "platform/PathText.h"

#include <windows.h>

#include <cstring>

namespace {

// Enters each candidate name before `take` tries it; see the header.
template <class Take>
InstallResult TakeFreshName(CInstJournal& journal, JournalKind kind, const LString& url, const char* prefix, Take take,
                            CJournalRecord*& record)
{
    CTextBuilder first;
    first.Append(prefix);
    first.AppendNumber(static_cast<long>(GetTickCount()));
    if (first.Failed())
        return kInsNoMemory;
    for (long number = 1;; ++number) {
        LString name = number == 1 ? first.ToString() : CFileOp::NumberedPath(first.Text(), number);
        record = name.IsEmpty() ? nullptr : journal.Enter(kind, url, name);
        if (!record)
            return kInsNoMemory;
        FileStatus status = take(name);
        if (status == FileStatus::Ok)
            return kInsOK;
        CInstJournal::Drop(record);
        if (status == FileStatus::InUse)
            return kInsFileInUse;
        if (status != FileStatus::Conflict)
            return kInsCannotWrite;
    }
}

} // namespace

InstallResult MoveAside(CInstJournal& journal, const LString& path, const LString& url)
{
    CJournalRecord* record = nullptr;
    InstallResult code = TakeFreshName(journal, kJournalReplaced, url, "tmp", [&](const LString& name) {
        return CRenameOp(path.Text(), name.Text(), ConflictMode::UseExisting).Status();
    }, record);
    if (code == kInsOK)
        CInstJournal::Done(record);
    return code;
}

InstallResult StartNewFile(CInstJournal& journal, const LString& path, const LString& url, bool ownFolder,
                           CTempFile& temp, CJournalRecord*& record)
{
    // Spares the questions about what is there, a temporary name and a rename: most of the
    // work on a product of many small files.
    if (ownFolder) {
        record = journal.Enter(kJournalFile, url, LastComponent(path.Text()));
        if (!record)
            return kInsNoMemory;
        if (temp.Create(path.Text()) == FileStatus::Ok)
            return kInsOK;
        CInstJournal::Drop(record);
    }
    const PathKind existing = KindOfPath(path.Text());
    if (existing == PathKind::Folder)
        return kInsFolderInTheWay;
    if (existing == PathKind::File) {
        InstallResult code = MoveAside(journal, path, url);
        if (code != kInsOK)
            return code;
    }
    const LString folder = ParentPath(path.Text());
    return TakeFreshName(journal, kJournalFile, url, "ins", [&](const LString& name) {
        return temp.Create(JoinPath(folder.Text(), name.Text()).Text());
    }, record);
}

InstallResult PlaceNewFile(CTempFile& temp, const LString& path, CJournalRecord* record)
{
    if (std::strcmp(temp.Path().Text(), path.Text()) == 0)
        temp.Close();
    else if (temp.RenameTo(LastComponent(path.Text()).Text()) != FileStatus::Ok)
        return kInsCannotWrite;
    temp.Keep();
    CInstJournal::Done(record);
    return kInsOK;
}

InstallResult CreateFolder(CInstJournal& journal, const LString& path, const LString& url, bool* made)
{
    const PathKind existing = KindOfPath(path.Text());
    if (existing != PathKind::Nothing)
        return existing == PathKind::Folder ? kInsOK : kInsCannotCreateFolder;
    CJournalRecord* record = journal.Enter(kJournalFolder, url);
    if (!record)
        return kInsNoMemory;
    CCreateFolderOp create(path.Text(), ConflictMode::UseExisting);
    if (!create.Succeeded())
        return kInsCannotWrite;
    CInstJournal::Done(record);
    if (made)
        *made = true;
    return kInsOK;
}
