#include "framework/LWinMsgFilters.h"

#include "framework/LPtrArray.h"

#include <new>

namespace {

struct Entry {
    void* context;
    LWinMsgFilters::Filter filter;
};

// The entries, each on the heap; they live as long as the program.
LPtrArray<Entry>& Entries()
{
    static LPtrArray<Entry> entries;
    return entries;
}

} // namespace

void LWinMsgFilters::Add(void* context, Filter filter)
{
    if (!filter)
        return;
    Entry* entry = new (std::nothrow) Entry{context, filter};
    if (entry && !Entries().Append(entry))
        delete entry;
}

void LWinMsgFilters::Remove(void* context, Filter filter)
{
    LPtrArray<Entry>& entries = Entries();
    for (int i = 0; i < entries.Count(); ++i) {
        Entry* entry = entries.At(i);
        if (entry->context == context && entry->filter == filter) {
            entries.RemoveAt(i);
            delete entry;
            return;
        }
    }
}

int LWinMsgFilters::Offer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    // A copy, so that a filter may add or remove entries while it runs.
    const LPtrArray<Entry>& entries = Entries();
    const int count = entries.Count();
    if (count == 0)
        return 0;
    Entry* copy = new (std::nothrow) Entry[static_cast<size_t>(count)];
    if (!copy)
        return 0;
    for (int i = 0; i < count; ++i)
        copy[i] = *entries.At(i);
    int taken = 0;
    for (int i = 0; i < count && !taken; ++i)
        taken = copy[i].filter(copy[i].context, window, message, wParam, lParam, result) ? 1 : 0;
    delete[] copy;
    return taken;
}

int LWinMsgFilters::Count()
{
    return Entries().Count();
}
