#include "framework/LWindowPlacer.h"

#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"

LWindowPlacer::LWindowPlacer(LWindow* window)
    : LHandler(nullptr), m_window(window)
{
    HWND handle = window ? window->Handle() : nullptr;
    if (!handle)
        return;
    if (GetWindowLongA(handle, GWL_STYLE) & WS_MINIMIZE) {
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof(placement);
        GetWindowPlacement(handle, &placement);
        RECT frame = placement.rcNormalPosition;
        RECT empty = {0, 0, 0, 0};
        AdjustWindowRectEx(&empty, static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)), GetMenu(handle) != nullptr,
                           static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE)));
        client.left = frame.left - empty.left;
        client.top = frame.top - empty.top;
        client.right = frame.right - empty.right;
        client.bottom = frame.bottom - empty.bottom;
    } else {
        GetClientRect(handle, &client);
        MapWindowPoints(handle, nullptr, reinterpret_cast<POINT*>(&client), 2);
    }
    size.cx = client.right - client.left;
    size.cy = client.bottom - client.top;

    const RECT work = LThreadWindows::WorkArea();
    RECT outer = work;
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)), GetMenu(handle) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE)));
    const int workW = work.right - work.left, workH = work.bottom - work.top;
    limits.left = 40;
    limits.top = 40;
    limits.right = 2 * workW - (outer.right - outer.left);
    limits.bottom = 2 * workH - (outer.bottom - outer.top);
}

void LWindowPlacer::SetLimits(const RECT& wanted)
{
    const LONG maxW = limits.right, maxH = limits.bottom;
    limits.left = wanted.left < maxW ? wanted.left : maxW;
    limits.right = wanted.right < maxW ? wanted.right : maxW;
    limits.top = wanted.top < maxH ? wanted.top : maxH;
    limits.bottom = wanted.bottom < maxH ? wanted.bottom : maxH;
}
