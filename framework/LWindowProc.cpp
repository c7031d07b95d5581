#include "framework/LWindowProc.h"

#include "framework/LApplication.h"
#include "framework/LFrame.h"
#include "framework/LKeyboard.h"
#include "framework/LMenuBar.h"
#include "framework/LMessageNames.h"
#include "framework/LMouse.h"
#include "framework/LPtrArray.h"
#include "framework/LThreadWindows.h"
#include "framework/LWinMsgFilters.h"
#include "framework/LWindow.h"
#include "framework/LWindowPlacer.h"

namespace {

int g_contextHandled = 0;

BOOL CALLBACK CollectVisibleFloating(HWND handle, LPARAM list)
{
    LWindow* window = LWindow::FromHandle(handle);
    if (window && window->Kind() == 2 && IsWindowVisible(handle))
        reinterpret_cast<LPtrArray<>*>(list)->Append(handle);
    return TRUE;
}

void NotifyFloating(int active)
{
    LPtrArray<> handles;
    EnumThreadWindows(GetCurrentThreadId(), &CollectVisibleFloating, reinterpret_cast<LPARAM>(&handles));
    for (int i = 0; i < handles.Count(); ++i) {
        HWND handle = static_cast<HWND>(handles.At(i));
        PostMessageA(handle, LWindowProc::kActivationNotice, static_cast<WPARAM>(active), 0);
        SendMessageA(handle, WM_NCACTIVATE, static_cast<WPARAM>(active), 0);
    }
}

BOOL CALLBACK ForwardPaletteChange(HWND child, LPARAM message)
{
    const MSG* m = reinterpret_cast<const MSG*>(message);
    SendMessageA(child, m->message, m->wParam, m->lParam);
    return TRUE;
}

// Client size limits to window size limits.
POINT ClientToWindowSize(HWND handle, LONG width, LONG height)
{
    RECT r = {100, 100, 100 + width, 100 + height};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)), GetMenu(handle) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE)));
    POINT size = {r.right - r.left, r.bottom - r.top};
    return size;
}

int Activate(LWindow* window, HWND handle, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const int kind = window->Kind();
    if (LOWORD(wParam) == WA_INACTIVE) {
        if (kind == 2) {
            *result = 0;
            return 1;
        }
        if (kind == 3 && !LThreadWindows::FirstVisible(3))
            NotifyFloating(1);
        LWindow* other = LWindow::FromHandle(reinterpret_cast<HWND>(lParam));
        if (other && other->Kind() == 2) {
            *result = 0;
            return 1;
        }
        PostMessageA(handle, LWindowProc::kActivationNotice, 0, 0);
        *result = DefWindowProcA(handle, WM_ACTIVATE, wParam, lParam);
        return 1;
    }
    if (kind == 3) {
        NotifyFloating(0);
    } else if (kind == 2) {
        PostMessageA(handle, LWindowProc::kActivationNotice, 1, 0);
        HWND previous = reinterpret_cast<HWND>(lParam);
        LWindow* back = nullptr;
        if (previous && IsWindowVisible(previous)) {
            SetFocus(nullptr);
            SetActiveWindow(previous);
        } else if ((back = LThreadWindows::FirstVisible(3)) || (back = LThreadWindows::FirstVisible(1))) {
            SetFocus(nullptr);
            SetActiveWindow(back->Handle());
        }
        *result = 0;
        return 1;
    }
    PostMessageA(handle, LWindowProc::kActivationNotice, 1, 0);
    *result = DefWindowProcA(handle, WM_ACTIVATE, wParam, lParam);
    return 1;
}

void ActivationNotice(LWindow* window, HWND handle, WPARAM wParam)
{
    bool activate = false, deactivate = false;
    if (window->Kind() == 2) {
        activate = !LThreadWindows::FirstVisible(3);
        deactivate = !activate;
    } else if (wParam == 1 && GetActiveWindow() == handle) {
        activate = true;
    } else if (wParam == 0 && GetActiveWindow() != handle) {
        deactivate = true;
    }
    if (activate)
        Send(LWindow_Activate, window, window->Next());
    else if (deactivate)
        Send(LWindow_Deativate, window, window->Next());
}

// Menu commands (from menus and accelerators) and menu opening; never handled, so that the
// default procedure still runs.
int HandleMenuMessage(LWindow* window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LMenuBar* bar = window->MenuBar();
    if (!bar)
        return 0;
    if (message == WM_COMMAND && lParam == 0 && HIWORD(wParam) <= 1) {
        if (LMenuItem* item = bar->FindById(LOWORD(wParam)))
            Send(LMenuItem_Selected, item, window->FocusTarget());
    } else if (message == WM_INITMENU) {
        bar->Open(window->FocusTarget());
    }
    return 0;
}

} // namespace

void LWindowProc::SetContextHandled(int value) { g_contextHandled = value; }
int LWindowProc::ContextHandled() { return g_contextHandled; }

int LWindowProc::HandleMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (LWinMsgFilters::Offer(handle, message, wParam, lParam, result))
        return 1;
    LApplication* app = LApplication::Instance();
    if (app && app->ModeDepth() == 0 && app->RawMessage(handle, message, wParam, lParam, result))
        return 1;
    LWindow* window = LWindow::FromHandle(handle);
    if (!window)
        return 0;
    LHandler* next = window->Next();
    LMouse* mouse = LMouse::Instance();
    LKeyboard* keyboard = LKeyboard::Instance();
    switch (message) {
    case WM_DESTROY:
        window->ForgetHandle();
        return 0;
    case WM_MOVE:
        Send(LWindow_Move, window, next);
        return 1;
    case WM_SIZE:
        Send(LWindow_Size, window, next);
        return 1;
    case WM_ACTIVATE:
        return Activate(window, handle, wParam, lParam, result);
    case WM_SETFOCUS: {
        HWND losing = reinterpret_cast<HWND>(wParam);
        LFrame* frame = window->Frame();
        if (!(losing && IsChild(handle, losing)) && frame && frame->Focus())
            frame->Focus()->SetState(LPane::kFocus);
        *result = DefWindowProcA(handle, message, wParam, lParam);
        return 1;
    }
    case WM_PAINT:
        Send(LWindow_Update, window, next);
        return 1;
    case WM_CLOSE:
        Send(LWindow_Close, window, next);
        return 1;
    case WM_QUERYENDSESSION:
        *result = app ? app->QueryShutdown() : 1;
        return 1;
    case WM_ENDSESSION:
        if (wParam && app)
            app->EndSession();
        return 1;
    case WM_ACTIVATEAPP:
        if (app)
            app->Activated(static_cast<int>(wParam));
        return 0;
    case WM_MOUSEACTIVATE:
        if (window->Kind() == 2) {
            *result = MA_NOACTIVATE;
            return 1;
        }
        return 0;
    case WM_GETMINMAXINFO: {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        LWindowPlacer placer(window);
        placer.limits.left = info->ptMinTrackSize.x;
        placer.limits.top = info->ptMinTrackSize.y;
        placer.limits.right = info->ptMaxTrackSize.x;
        placer.limits.bottom = info->ptMaxTrackSize.y;
        Send(LWindowPlacer_Grow, &placer, next);
        info->ptMinTrackSize = ClientToWindowSize(handle, placer.limits.left, placer.limits.top);
        info->ptMaxTrackSize = ClientToWindowSize(handle, placer.limits.right, placer.limits.bottom);
        return 0;
    }
    case WM_WINDOWPOSCHANGING: {
        WINDOWPOS* pos = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(pos->flags & SWP_NOSIZE)) {
            LWindowPlacer placer(window);
            placer.size.cx = pos->cx;
            placer.size.cy = pos->cy;
            Send(LWindowPlacer_Sizing, &placer, next);
            pos->cx = placer.size.cx;
            pos->cy = placer.size.cy;
        }
        return 0;
    }
    case WM_CONTEXTMENU:
        if (lParam == -1)
            return 0;
        g_contextHandled = 1;
        Send(LWindow_Context, window, next);
        *result = g_contextHandled;
        return g_contextHandled;
    case WM_DISPLAYCHANGE:
        window->RebuildPalette();
        return 0;
    case WM_NCACTIVATE:
        if (window->Kind() == 2) {
            DefWindowProcA(handle, message, LThreadWindows::FirstVisible(3) ? 0 : 1, lParam);
            *result = 1;
            return 1;
        }
        return 0;
    case WM_CHAR:
        if (keyboard)
            Send(LKeyboard_Char, keyboard, window->FocusTarget());
        return 0;
    case WM_MOUSEMOVE:
        if (mouse && mouse->CapturePane())
            Send(LMouse_Move, mouse, mouse->CapturePane());
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Send(LWindow_Click, window, next);
        return 1;
    case WM_LBUTTONUP:
        if (mouse && mouse->CapturePane()) {
            LPane* pane = mouse->CapturePane();
            mouse->SetCapturePane(nullptr);
            ReleaseCapture();
            Send(LMouse_Release, mouse, pane);
        }
        return 0;
    case WM_CAPTURECHANGED:
        if (mouse && mouse->CapturePane() && mouse->CapturePane()->NativeWindow() == handle) {
            LPane* pane = mouse->CapturePane();
            mouse->SetCapturePane(nullptr);
            Send(LMouse_Release, mouse, pane);
        }
        return 1;
    case WM_QUERYNEWPALETTE: {
        if (HPALETTE palette = window->Palette().Handle()) {
            HDC dc = GetDC(handle);
            HPALETTE old = SelectPalette(dc, palette, FALSE);
            if (RealizePalette(dc))
                InvalidateRgn(handle, nullptr, FALSE);
            SelectPalette(dc, old, FALSE);
            ReleaseDC(handle, dc);
        }
        *result = 1;
        return 1;
    }
    case WM_PALETTECHANGED: {
        HPALETTE palette = window->Palette().Handle();
        if (reinterpret_cast<HWND>(wParam) != handle && palette) {
            HDC dc = GetDC(handle);
            HPALETTE old = SelectPalette(dc, palette, TRUE);
            if (RealizePalette(dc))
                UpdateColors(dc);
            SelectPalette(dc, old, TRUE);
            ReleaseDC(handle, dc);
        }
        MSG forward = {};
        forward.message = message;
        forward.wParam = wParam;
        forward.lParam = lParam;
        EnumChildWindows(handle, &ForwardPaletteChange, reinterpret_cast<LPARAM>(&forward));
        return 1;
    }
    case kActivationNotice:
        ActivationNotice(window, handle, wParam);
        return 0;
    default:
        return HandleMenuMessage(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK LFrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (LWindowProc::HandleMessage(window, message, wParam, lParam, &result))
        return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK LDialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (LWindowProc::HandleMessage(window, message, wParam, lParam, &result))
        return result;
    return DefDlgProcA(window, message, wParam, lParam);
}
