#pragma once

#include <windows.h>

// One process-wide list of raw window-message filters, asked in order until one handles the
// message. Entries are (context, function) pairs added and removed by value.
class LWinMsgFilters {
public:
    using Filter = int (*)(void* context, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    static void Add(void* context, Filter filter);
    static void Remove(void* context, Filter filter);
    // Returns non-zero when a filter handled the message.
    static int Offer(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    static int Count();
};
