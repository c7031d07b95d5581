#include "install/JournalSteps.h"

#include "install/CInstJournal.h"
#include "platform/CCreateFolderOp.h"
#include "platform/CFindHandle.h"
#include "platform/CFileOp.h"
#include "platform/CRenameOp.h"
#include "platform/CTempFile.h"
#include "platform/FileSystem.h"
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "platform/PathText.h"
#include "platform/TextCompare.h"

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

// The URL of a file of the folder whose URL `url` continues: the same form for a name found in
// the folder and for the name of a file about to be moved aside.
LString SiblingUrl(const LString& url, const char* name)
{
    const char* slash = std::strrchr(url.Text(), '/');
    CTextBuilder sibling;
    sibling.Append(url.Text(), slash ? static_cast<size_t>(slash + 1 - url.Text()) : 0);
    AppendEncodedSegment(sibling, name, std::strlen(name));
    return slash && !sibling.Failed() ? sibling.ToString() : LString();
}

// Before the first file of a folder is moved aside, every file in the folder gets a free backup
// name in a record of its own, and the records go to the disk in one flush.
void Announce(CInstJournal& journal, const LString& folder, const LString& url)
{
    LPtrArray<CJournalRecord>& announced = journal.Announced();
    announced.Clear();
    journal.AnnouncedFolder() = folder;
    WIN32_FIND_DATAA found;
    CFindHandle find;
    find.Reset(FindFirstFileA(JoinPath(folder.Text(), "*").Text(), &found));
    CTextBuilder first;
    first.Append("tmp");
    first.AppendNumber(static_cast<long>(GetTickCount()));
    long number = 1;
    for (bool more = find.IsValid() && !first.Failed(); more; more = FindNextFileA(find.Get(), &found)) {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        LString name;
        do
            name = number++ == 1 ? first.ToString() : CFileOp::NumberedPath(first.Text(), number - 1);
        while (!name.IsEmpty() && KindOfPath(JoinPath(folder.Text(), name.Text()).Text()) != PathKind::Nothing);
        LString sibling = SiblingUrl(url, found.cFileName);
        CJournalRecord* record = name.IsEmpty() || sibling.IsEmpty() ? nullptr : journal.EnterAhead(kJournalReplaced, sibling, name);
        if (!record || !announced.Append(record))
            break;
    }
    journal.Flush();
}

// The record announced for the file at `path`, taken from the announced ones; null when none.
CJournalRecord* TakeAnnounced(CInstJournal& journal, const LString& path, const LString& url)
{
    LString folder = ParentPath(path.Text());
    if (!EqualsNoCase(journal.AnnouncedFolder().Text(), folder.Text()))
        Announce(journal, folder, url);
    LString sibling = SiblingUrl(url, LastComponent(path.Text()).Text());
    LPtrArray<CJournalRecord>& announced = journal.Announced();
    for (int i = 0; i < announced.Count(); ++i) {
        if (EqualsNoCase(announced.At(i)->url.Text(), sibling.Text())) {
            CJournalRecord* record = announced.At(i);
            announced.RemoveAt(i);
            return record;
        }
    }
    return nullptr;
}

} // namespace

InstallResult MoveAside(CInstJournal& journal, const LString& path, const LString& url)
{
    if (CJournalRecord* announced = TakeAnnounced(journal, path, url)) {
        if (!journal.MirrorBroken()
            && CRenameOp(path.Text(), announced->backupName.Text(), ConflictMode::UseExisting).Succeeded()) {
            CInstJournal::Done(announced);
            return kInsOK;
        }
        // Taken since: the name goes, and the file the common way.
        CInstJournal::Drop(announced);
    }
    CJournalRecord* record = nullptr;
    InstallResult code = TakeFreshName(journal, kJournalReplaced, url, "tmp", [&](const LString& name) {
        // A power cut must not keep the rename and lose the record that names the backup.
        journal.Flush();
        if (journal.MirrorBroken())
            return FileStatus::Failed;
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
    const bool inPlace = std::strcmp(temp.Path().Text(), path.Text()) == 0;
    temp.Close();
    if (!inPlace) {
        CInstJournal::Placing(record, temp.Path());
        if (temp.RenameTo(LastComponent(path.Text()).Text()) != FileStatus::Ok)
            return kInsCannotWrite;
    }
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
