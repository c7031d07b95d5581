#include "framework/LWinMsgFilters.h"

#include <vector>

namespace {

struct Entry {
    void* context;
    LWinMsgFilters::Filter filter;
};

std::vector<Entry>& Entries()
{
    static std::vector<Entry> entries;
    return entries;
}

} // namespace

void LWinMsgFilters::Add(void* context, Filter filter)
{
    if (filter)
        Entries().push_back(Entry{context, filter});
}

void LWinMsgFilters::Remove(void* context, Filter filter)
{
    auto& entries = Entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].context == context && entries[i].filter == filter) {
            entries.erase(entries.begin() + static_cast<long>(i));
            return;
        }
    }
}

int LWinMsgFilters::Offer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // A copy, so that a filter may add or remove entries while it runs.
    const std::vector<Entry> entries = Entries();
    for (const Entry& entry : entries)
        if (entry.filter(entry.context, window, message, wParam, lParam, result))
            return 1;
    return 0;
}

int LWinMsgFilters::Count()
{
    return static_cast<int>(Entries().size());
}
