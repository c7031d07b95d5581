#include "install/JournalSteps.h"

#include "install/CInstJournal.h"
#include "install/JournalPaths.h"
#include "platform/CCreateFolderOp.h"
#include "platform/CFindHandle.h"
#include "platform/CFileOp.h"
#include "platform/CRenameOp.h"
#include "platform/CTempFile.h"
#include "platform/FileSystem.h"
#include "platform/FileUrl.h"
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "platform/PathText.h"
#include "platform/TextCompare.h"

#include <windows.h>

#include <cstring>
#include <new>

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

struct CFolderToList {
    LString path;
    LString url; // with a "/" at its end, which the names in the folder continue
};

// Folders still to list; those left when the walk ends go with it.
struct CFolderWalk : LPtrArray<CFolderToList> {
    ~CFolderWalk()
    {
        while (CFolderToList* folder = Pop())
            delete folder;
    }
    bool Add(const LString& path, const LString& url)
    {
        CFolderToList* folder = url.IsEmpty() ? nullptr : new (std::nothrow) CFolderToList{path, url};
        if (folder && Append(folder))
            return true;
        delete folder;
        return false;
    }
};

LString WithSlash(const char* url, size_t length)
{
    if (length == 0)
        return LString();
    CTextBuilder text;
    text.Append(url, length);
    text.Append("/");
    return text.Failed() ? LString() : text.ToString();
}

// Enters a backup name for every file of the folder, one that nothing in it has: "tmp" with
// the tick count, then with 2, 3 ... appended, numbered on across the folders of one walk. Adds
// the subfolders to `walk` where given. Links are neither announced nor followed.
bool AnnounceFolder(CInstJournal& journal, const CFolderToList& folder, const char* first, long& number,
                    CFolderWalk* walk)
{
    const LString pattern = JoinPath(folder.path.Text(), "*");
    WIN32_FIND_DATAA found;
    // Names are looked at one by one only in a folder where one could clash.
    bool clash = false;
    CFindHandle find;
    find.Reset(FindFirstFileA(pattern.Text(), &found));
    for (bool more = find.IsValid(); more && !clash; more = FindNextFileA(find.Get(), &found))
        clash = CompareAsciiNoCase(LString(found.cFileName, 3).Text(), "tmp") == 0;
    find.Reset(FindFirstFileA(pattern.Text(), &found));
    for (bool more = find.IsValid(); more; more = FindNextFileA(find.Get(), &found)) {
        const char* name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            continue;
        LString url = SiblingUrl(folder.url, name);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (walk && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0
                && !walk->Add(JoinPath(folder.path.Text(), name), WithSlash(url.Text(), url.Length())))
                return false;
            continue;
        }
        LString backup;
        do
            backup = number++ == 1 ? LString(first) : CFileOp::NumberedPath(first, number - 1);
        while (clash && !backup.IsEmpty() && KindOfPath(JoinPath(folder.path.Text(), backup.Text()).Text()) != PathKind::Nothing);
        CJournalRecord* record = backup.IsEmpty() || url.IsEmpty() ? nullptr : journal.EnterAhead(kJournalReplaced, url, backup);
        if (!record || !journal.Announced().Add(record))
            return false;
    }
    return true;
}

// Whether the folder is the destination or lies below it.
bool IsInDestination(const LString& folder, const LString& destination)
{
    const size_t length = destination.Length();
    return length > 0 && folder.Length() >= length && (folder.Length() == length || IsSeparator(folder.Text()[length]))
        && EqualsNoCase(LString(folder.Text(), length).Text(), destination.Text());
}

// Before the first file is moved aside, the files get free backup names in records of their
// own, which go to the disk in one flush: every file below the destination at once, so that an
// update takes one flush, or the files of a folder outside it.
void Announce(CInstJournal& journal, const LString& folder, const LString& folderUrl, bool inDestination)
{
    CAnnouncedBackups& announced = journal.Announced();
    CTextBuilder first;
    first.Append("tmp");
    first.AppendNumber(static_cast<long>(GetTickCount()));
    long number = 1;
    CFolderWalk walk;
    if (inDestination) {
        announced.treeWalked = true;
        LString url = PathToFileUrl(journal.Destination().Text());
        walk.Add(journal.Destination(), WithSlash(url.Text(), url.Length()));
    } else {
        announced.folderAlone = folder;
        walk.Add(folder, WithSlash(folderUrl.Text(), folderUrl.Length()));
    }
    bool entered = !first.Failed();
    while (CFolderToList* next = entered ? walk.Pop() : nullptr) {
        entered = AnnounceFolder(journal, *next, first.Text(), number, inDestination ? &walk : nullptr);
        delete next;
    }
    announced.Sort();
    journal.Flush();
}

// The record announced for the file at `path`, taken from the announced ones; null when none.
CJournalRecord* TakeAnnounced(CInstJournal& journal, const LString& path, const LString& url)
{
    const char* slash = std::strrchr(url.Text(), '/');
    if (!slash)
        return nullptr;
    const LString folder = ParentPath(path.Text());
    CAnnouncedBackups& announced = journal.Announced();
    const bool inDestination = IsInDestination(folder, journal.Destination());
    if (inDestination ? !announced.treeWalked : !EqualsNoCase(announced.folderAlone.Text(), folder.Text()))
        Announce(journal, folder, LString(url.Text(), static_cast<size_t>(slash - url.Text())), inDestination);
    return announced.Take(SiblingUrl(url, LastComponent(path.Text()).Text()).Text());
}

} // namespace

InstallResult MoveAside(CInstJournal& journal, const LString& path, const LString& url)
{
    if (CJournalRecord* announced = TakeAnnounced(journal, path, url)) {
        if (!journal.MirrorBroken()
            && CRenameOp(path.Text(), announced->backupName.Text(), ConflictMode::UseExisting).Succeeded()) {
            CInstJournal::Done(announced, BackupPath(path, announced->backupName));
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
        CInstJournal::Done(record, BackupPath(path, record->backupName));
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
    // What the file looks like is read through its handle, and it is renamed through it: no
    // walk of its path and no second open, most of the cost of an update's files otherwise.
    CFileIdentity identity;
    const CFileIdentity* written = ReadOpenFileIdentity(temp.Contents().Handle(), identity) ? &identity : nullptr;
    if (!inPlace) {
        CInstJournal::Placing(record, temp.Path(), written);
        if (temp.RenameTo(LastComponent(path.Text()).Text()) != FileStatus::Ok)
            return kInsCannotWrite;
    }
    temp.Close();
    temp.Keep();
    CInstJournal::Done(record, path, written);
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
