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

// Backup names entered ahead at most in one flush: the rest of a larger destination is entered a
// folder at a time, as each is reached.
constexpr int kAnnounceAhead = 8192;

struct CFolderToList {
    LString path;
    LString url; // with a "/" at its end, which the names of its files continue
};

template <class T>
struct COwnedArray : LPtrArray<T> {
    ~COwnedArray()
    {
        while (T* item = this->Pop())
            delete item;
    }
};

bool AppendNew(COwnedArray<LString>& array, const char* text)
{
    LString* copy = new (std::nothrow) LString(text);
    if (copy && !copy->IsEmpty() && array.Append(copy))
        return true;
    delete copy;
    return false;
}

// "tmp" with the tick count, then with 2, 3 ... appended: names the installer's own form gives.
class CBackupNames {
public:
    CBackupNames()
    {
        m_first.Append("tmp");
        m_first.AppendNumber(static_cast<long>(GetTickCount()));
    }
    // The next name that none of `taken` has; empty when memory runs out.
    LString Next(const LPtrArray<LString>& taken)
    {
        for (;;) {
            LString name = m_first.Failed() ? LString()
                           : m_number++ == 1 ? m_first.ToString() : CFileOp::NumberedPath(m_first.Text(), m_number - 1);
            bool free = true;
            for (int i = 0; free && i < taken.Count(); ++i)
                free = !EqualsNoCase(taken.At(i)->Text(), name.Text());
            if (free || name.IsEmpty())
                return name;
        }
    }

private:
    CTextBuilder m_first;
    long m_number = 1;
};

// Whether a name could clash with a backup name: only those beginning "tmp" can.
bool CouldBeBackupName(const char* name)
{
    return (name[0] | 0x20) == 't' && (name[1] | 0x20) == 'm' && (name[2] | 0x20) == 'p';
}

// Enters a backup name for every file of the folder, one that nothing in it has, and adds its
// subfolders to `walk` where given. Links are neither announced nor followed.
bool AnnounceFolder(CInstJournal& journal, const CFolderToList& folder, CBackupNames& names,
                    COwnedArray<CFolderToList>* walk)
{
    COwnedArray<LString> files;
    COwnedArray<LString> taken;
    WIN32_FIND_DATAA found;
    CFindHandle find;
    find.Reset(FindFirstFileA(JoinPath(folder.path.Text(), "*").Text(), &found));
    for (bool more = find.IsValid(); more; more = FindNextFileA(find.Get(), &found)) {
        const char* name = found.cFileName;
        if (CouldBeBackupName(name) && !AppendNew(taken, name))
            return false;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            continue;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (!AppendNew(files, name))
                return false;
        } else if (walk && std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0) {
            CTextBuilder url;
            url.Append(folder.url.Text());
            AppendEncodedSegment(url, name, std::strlen(name));
            url.Append("/");
            CFolderToList* subfolder = url.Failed() ? nullptr
                                       : new (std::nothrow) CFolderToList{JoinPath(folder.path.Text(), name), url.ToString()};
            if (!subfolder || !walk->Append(subfolder)) {
                delete subfolder;
                return false;
            }
        }
    }
    CAnnouncedBackups& announced = journal.Announced();
    for (int i = 0; i < files.Count(); ++i) {
        LString name = names.Next(taken);
        LString url = SiblingUrl(folder.url, files.At(i)->Text());
        CJournalRecord* record = name.IsEmpty() || url.IsEmpty() ? nullptr : journal.EnterAhead(kJournalReplaced, url, name);
        if (!record || !announced.Add(record))
            return false;
    }
    return announced.AddFolder(folder.path);
}
// The URL of the destination, with a "/" at its end, from that of `folder` at or below it: a
// segment for each of the folder's components below the destination is taken away. Empty when
// the folder is not below the destination or the URL found does not lead back to it.
LString DestinationUrl(const LString& destination, const LString& folder, const LString& folderUrl)
{
    const size_t length = destination.Length();
    const char* path = folder.Text();
    if (length == 0 || folder.Length() < length || (path[length] && !IsSeparator(path[length]))
        || !EqualsNoCase(LString(path, length).Text(), destination.Text()))
        return LString();
    LString url = folderUrl;
    for (size_t at = SkipSeparators(path, length); at < folder.Length(); at = SkipSeparators(path, at)) {
        const char* slash = std::strrchr(url.Text(), '/');
        url = slash ? LString(url.Text(), static_cast<size_t>(slash - url.Text())) : LString();
    }
    LString back;
    if (url.IsEmpty() || !FileUrlToPath(ParseUrl(url.Text()), false, back) || !EqualsNoCase(back.Text(), destination.Text()))
        return LString();
    CTextBuilder withSlash;
    withSlash.Append(url.Text());
    withSlash.Append("/");
    return withSlash.Failed() ? LString() : withSlash.ToString();
}

// Before the first file of a folder is moved aside, the files get free backup names in records
// of their own, which go to the disk in one flush. The first time, that is every file of the
// destination's tree, as far as kAnnounceAhead goes, so that an update takes one flush rather
// than one for each folder; later it is the folder alone.
void Announce(CInstJournal& journal, const LString& folder, const LString& folderUrl)
{
    CAnnouncedBackups& announced = journal.Announced();
    CBackupNames names;
    bool entered = true;
    if (!announced.TreeWalked()) {
        announced.SetTreeWalked();
        COwnedArray<CFolderToList> walk;
        LString url = DestinationUrl(journal.Destination(), folder, folderUrl);
        CFolderToList* root = url.IsEmpty() ? nullptr : new (std::nothrow) CFolderToList{journal.Destination(), url};
        if (root && !walk.Append(root))
            delete root;
        while (entered && announced.Count() < kAnnounceAhead) {
            CFolderToList* next = walk.Pop();
            if (!next)
                break;
            entered = AnnounceFolder(journal, *next, names, &walk);
            delete next;
        }
        announced.Sort();
    }
    if (entered && !announced.HasFolder(folder.Text())) {
        CTextBuilder url;
        url.Append(folderUrl.Text());
        url.Append("/");
        if (!url.Failed())
            AnnounceFolder(journal, CFolderToList{folder, url.ToString()}, names, nullptr);
        announced.Sort();
    }
    journal.Flush();
}

// The record announced for the file at `path`, taken from the announced ones; null when none.
CJournalRecord* TakeAnnounced(CInstJournal& journal, const LString& path, const LString& url)
{
    const char* slash = std::strrchr(url.Text(), '/');
    if (!slash)
        return nullptr;
    LString folder = ParentPath(path.Text());
    if (!journal.Announced().HasFolder(folder.Text()))
        Announce(journal, folder, LString(url.Text(), static_cast<size_t>(slash - url.Text())));
    return journal.Announced().Take(SiblingUrl(url, LastComponent(path.Text()).Text()).Text());
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
