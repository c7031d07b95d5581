#include "install/CAnnouncedBackups.h"

#include "install/CJournalRecord.h"
#include "platform/TextCompare.h"

namespace {

const char* UrlOf(const void* entry) { return static_cast<const CJournalRecord*>(entry)->url.Text(); }

int CompareUrls(const void* left, const void* right)
{
    return CompareAsciiNoCase(UrlOf(*static_cast<void* const*>(left)), UrlOf(*static_cast<void* const*>(right)));
}

} // namespace

void CAnnouncedBackups::Sort() { m_records.Sort(CompareUrls); }

CJournalRecord* CAnnouncedBackups::Take(const char* url)
{
    int low = 0;
    int high = m_records.Count() - 1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int order = CompareAsciiNoCase(UrlOf(m_records.At(middle)), url);
        if (order == 0) {
            CJournalRecord* record = m_records.At(middle);
            m_records.RemoveAt(middle);
            return record;
        }
        if (order < 0)
            low = middle + 1;
        else
            high = middle - 1;
    }
    return nullptr;
}

void CAnnouncedBackups::Clear()
{
    m_records.Clear();
    treeWalked = false;
    folderAlone = LString();
}
