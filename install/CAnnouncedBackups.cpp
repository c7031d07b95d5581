#include "install/CAnnouncedBackups.h"

#include "install/CJournalRecord.h"
#include "platform/TextCompare.h"

#include <algorithm>
#include <new>

namespace {

// The index of the entry that `key` of each compares equal to, or -1; entries in order.
template <class T, class Key>
int Find(const LPtrArray<T>& entries, const char* text, Key key)
{
    int low = 0;
    int high = entries.Count() - 1;
    while (low <= high) {
        int middle = low + (high - low) / 2;
        int order = CompareAsciiNoCase(key(*entries.At(middle)), text);
        if (order == 0)
            return middle;
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return -1;
}

template <class T, class Key>
void Order(LPtrArray<T>& entries, Key key)
{
    void** first = entries.Entries();
    std::sort(first, first + entries.Count(), [&](void* left, void* right) {
        return CompareAsciiNoCase(key(*static_cast<T*>(left)), key(*static_cast<T*>(right))) < 0;
    });
}

const char* FolderText(const LString& folder) { return folder.Text(); }
const char* RecordUrl(const CJournalRecord& record) { return record.url.Text(); }

} // namespace

bool CAnnouncedBackups::HasFolder(const char* folder) const { return Find(m_folders, folder, FolderText) >= 0; }

bool CAnnouncedBackups::AddFolder(const LString& folder)
{
    LString* copy = new (std::nothrow) LString(folder);
    if (copy && m_folders.Append(copy))
        return true;
    delete copy;
    return false;
}

bool CAnnouncedBackups::Add(CJournalRecord* record) { return m_records.Append(record); }

void CAnnouncedBackups::Sort()
{
    Order(m_folders, FolderText);
    Order(m_records, RecordUrl);
}

CJournalRecord* CAnnouncedBackups::Take(const char* url)
{
    int index = Find(m_records, url, RecordUrl);
    CJournalRecord* record = m_records.At(index);
    m_records.RemoveAt(index);
    return record;
}

void CAnnouncedBackups::Clear()
{
    while (LString* folder = m_folders.Pop())
        delete folder;
    m_records.Clear();
    m_treeWalked = false;
}
