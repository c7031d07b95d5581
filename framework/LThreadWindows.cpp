#include "framework/LThreadWindows.h"

#include "framework/LWindow.h"
#include "framework/LWindowDef.h"

#include "framework/LPtrArray.h"

namespace {

BOOL CALLBACK CollectWindow(HWND handle, LPARAM list)
{
    reinterpret_cast<LPtrArray<>*>(list)->Append(handle);
    return TRUE;
}

// The thread's top-level windows in z-order.
void ThreadWindows(LPtrArray<>& handles)
{
    EnumThreadWindows(GetCurrentThreadId(), &CollectWindow, reinterpret_cast<LPARAM>(&handles));
}

} // namespace

LWindow* LThreadWindows::FirstVisible(int kind)
{
    LPtrArray<> handles;
    ThreadWindows(handles);
    for (int i = 0; i < handles.Count(); ++i) {
        HWND handle = static_cast<HWND>(handles.At(i));
        LWindow* window = LWindow::FromHandle(handle);
        if (window && window->Kind() == kind && IsWindowVisible(handle))
            return window;
    }
    return nullptr;
}

LWindow* LThreadWindows::Active()
{
    HWND active = GetActiveWindow();
    if (!active || GetWindowThreadProcessId(active, nullptr) != GetCurrentThreadId())
        return nullptr;
    return LWindow::FromHandle(active);
}

LWindow* LThreadWindows::NextVisibleBelow(LWindow* window)
{
    HWND handle = window && window->Handle() ? GetWindow(window->Handle(), GW_HWNDNEXT) : GetTopWindow(nullptr);
    const DWORD thread = GetCurrentThreadId();
    for (; handle; handle = GetWindow(handle, GW_HWNDNEXT)) {
        if (GetWindowThreadProcessId(handle, nullptr) != thread)
            continue;
        LWindow* below = LWindow::FromHandle(handle);
        if (below && IsWindowVisible(handle))
            return below;
    }
    return nullptr;
}

RECT LThreadWindows::WorkArea()
{
    RECT work = {0, 0, 0, 0};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

HWND LThreadWindows::CreateAndAttach(LWindow* window, HWND parent)
{
    LWindowDef* definition = window->Definition();
    HWND handle = definition ? definition->Create(parent) : nullptr;
    if (handle)
        SetWindowLongPtrA(handle, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    return handle;
}

void LThreadWindows::Detach(LWindow* window, HWND handle)
{
    if (!handle)
        return;
    SetMenu(handle, nullptr);
    SetWindowLongPtrA(handle, GWLP_USERDATA, 0);
    if (window->Definition())
        window->Definition()->Destroy(handle);
    else
        DestroyWindow(handle);
}

void LThreadWindows::Show(LWindow* window)
{
    if (!window || !window->Handle())
        return;
    LWindow* lastHigher = nullptr;
    for (LWindow* above = NextVisibleBelow(nullptr); above && above->Kind() > window->Kind();
         above = NextVisibleBelow(above)) {
        if (above != window)
            lastHigher = above;
    }
    if (!lastHigher) {
        ShowWindow(window->Handle(), SW_SHOW);
        SetForegroundWindow(window->Handle());
        ReEnable();
    } else {
        SetWindowPos(window->Handle(), lastHigher->Handle(), 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
        ShowNoActivate(window);
    }
}

void LThreadWindows::ShowNoActivate(LWindow* window)
{
    if (!window || !window->Handle())
        return;
    ShowWindow(window->Handle(), SW_SHOWNA);
    ReEnable();
}

void LThreadWindows::Hide(LWindow* window)
{
    if (!window || !window->Handle())
        return;
    ReEnable(window);
    ShowWindow(window->Handle(), SW_HIDE);
}

void LThreadWindows::Close(LWindow* window)
{
    if (!window)
        return;
    Hide(window);
    delete window;
    // The windows that were below a closed modal window take input again.
    ReEnable();
}

void LThreadWindows::ReEnable(LWindow* excluded)
{
    bool enable = true;
    LPtrArray<> handles;
    ThreadWindows(handles);
    for (int i = 0; i < handles.Count(); ++i) {
        HWND handle = static_cast<HWND>(handles.At(i));
        LWindow* window = LWindow::FromHandle(handle);
        if (!window)
            continue;
        if (window != excluded) {
            EnableWindow(handle, enable);
            if (window->Kind() == 3 && IsWindowVisible(handle))
                enable = false;
        }
    }
}
