#include "framework/LApplication.h"

#include "framework/LFrame.h"
#include "framework/LKeyboard.h"
#include "framework/LMessageNames.h"
#include "framework/LMouse.h"
#include "framework/LOwnModule.h"
#include "framework/LThreadWindows.h"
#include "framework/LTimer.h"
#include "framework/LWinMsgFilters.h"
#include "framework/LWindow.h"
#include "framework/LWindowProc.h"

#include <cstring>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(WNDCLASSEXA) == 48, "WNDCLASSEXA is 48 bytes");
#endif

namespace {
LApplication* g_application = nullptr;
const char kHiddenClass[] = "LWINDOWAPP";
const UINT kIdleRequest = WM_USER;

uint32_t TickCount() { return GetTickCount(); }

// The accelerators of the nearest window that has a menu bar; true when they took the message.
bool TranslateMenuAccelerator(MSG& message)
{
    LWindow* window = LThreadWindows::Active();
    if (window && window->Kind() < 3) {
        while (window && !window->Accelerators()) {
            HWND parent = GetParent(window->Handle());
            window = parent && IsWindowVisible(parent) ? LWindow::FromHandle(parent) : nullptr;
        }
    }
    HACCEL table = window ? window->Accelerators() : nullptr;
    return table && TranslateAcceleratorA(window->Handle(), table, &message);
}
} // namespace

LApplication* LApplication::Instance() { return g_application; }

LApplication::LApplication()
    : LHandler(nullptr)
{
    g_application = this;
    m_thread = GetCurrentThreadId();
    LTimer::SetClock(&TickCount);
    LTimer::SetArmHook(&ArmFromTimerStart);
    WNDCLASSEXA wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.hInstance = LOwnModule();
    wc.lpfnWndProc = &HiddenWindowProc;
    wc.lpszClassName = kHiddenClass;
    m_registered = RegisterClassExA(&wc) != 0;
    if (m_registered)
        m_hidden = CreateWindowExA(0, kHiddenClass, "", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   nullptr, nullptr, wc.hInstance, nullptr);
}

LApplication::~LApplication()
{
    if (m_idleTimer)
        KillTimer(nullptr, m_idleTimer);
    m_idleTimer = 0;
    LTimer::SetArmHook(nullptr);
    if (m_hidden)
        DestroyWindow(m_hidden);
    if (m_registered)
        UnregisterClassA(kHiddenClass, LOwnModule());
    if (g_application == this)
        g_application = nullptr;
}

LRESULT CALLBACK LApplication::HiddenWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kIdleRequest) {
        MSG pending;
        if (!PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE)) {
            if (g_application)
                g_application->RunIdle();
        } else if (g_application) {
            g_application->ArmIdleTimer();
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void CALLBACK LApplication::IdleTimerProc(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_application)
        g_application->RunIdle();
}

void LApplication::ArmFromTimerStart()
{
    if (g_application)
        g_application->ArmIdleTimer();
}

void LApplication::ArmIdleTimer()
{
    if (m_idleTimer)
        KillTimer(nullptr, m_idleTimer);
    const int32_t delay = LTimer::DelayToFirstDue();
    m_idleTimer = SetTimer(nullptr, 0, static_cast<UINT>(delay), &IdleTimerProc);
}

void LApplication::RunIdle()
{
    Idle();
    LTimer::ExpireDue();
}

int LApplication::PumpOne()
{
    // A message already waiting is taken as it is. The idle timer is armed only before a wait:
    // re-arming takes a pending message of the old timer away, and a step that saw that message
    // waiting would then wait for one that never comes.
    MSG message;
    BOOL got = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
    if (got) {
        got = message.message != WM_QUIT;
    } else {
        ArmIdleTimer();
        got = GetMessageA(&message, nullptr, 0, 0);
    }
    if (got == 0) {
        if (!m_modes.IsEmpty()) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return 1;
        }
        return 0;
    }
    if (got < 0)
        return 1;

    if (TranslateMenuAccelerator(message)) {
        UpdateCursor();
        return 1;
    }

    if (LMouse* mouse = LMouse::Instance())
        mouse->Refresh(message);
    LKeyboard* keyboard = LKeyboard::Instance();
    if (keyboard)
        keyboard->Refresh(message);

    LRESULT result = 0;
    if (!message.hwnd && LWinMsgFilters::Offer(nullptr, message.message, message.wParam, message.lParam, &result)) {
        UpdateCursor();
        return 1;
    }
    if (keyboard && message.message == WM_KEYDOWN) {
        Send(LKeyboard_Down, keyboard, FocusTarget());
    } else if (keyboard && message.message == WM_KEYUP) {
        Send(LKeyboard_Up, keyboard, FocusTarget());
    } else {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    UpdateCursor();
    return 1;
}

void LApplication::Run()
{
    while (PumpOne()) {
    }
}

LHandler* LApplication::FocusTarget()
{
    LWindow* window = LThreadWindows::Active();
    if (window && window->Kind() == 2 && !m_focusInFloating)
        window = LThreadWindows::FirstVisible(1);
    if (!window)
        window = LThreadWindows::FirstVisible(0);
    if (!window)
        return this;
    return window->FocusTarget();
}

void LApplication::UpdateCursor()
{
    LMouse* mouse = LMouse::Instance();
    if (!mouse)
        return;
    LWindow* window = LThreadWindows::FirstVisible(3);
    if (!window)
        window = LWindow::FromHandle(WindowFromPoint(mouse->Point()));
    if (window && window->Handle()) {
        RECT client;
        GetClientRect(window->Handle(), &client);
        MapWindowPoints(window->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (PtInRect(&client, mouse->Point())) {
            Send(LWindow_Cursor, window, window->Next());
            return;
        }
    }
    if (LPane* left = LFrame::PaneUnderPointer()) {
        LFrame::ForgetPaneUnderPointer(left);
        Send(LMouse_Leave, mouse, left);
    }
}

LMessage LApplication::Handle(const LMessage& m)
{
    LMouse* mouse = LMouse::Instance();
    if (mouse && m.param == mouse) {
        if (m.Is(LMouse_Cursor)) {
            LMouse::SetCursor(0);
            return Consumed();
        }
        if (m.Is(LMouse_Context)) {
            LWindowProc::SetContextHandled(0);
            return Consumed();
        }
        return LHandler::Handle(m);
    }
    LKeyboard* keyboard = LKeyboard::Instance();
    if ((m.Is(LKeyboard_Down) || m.Is(LKeyboard_Up)) && keyboard) {
        MSG stored = keyboard->LastMessage();
        TranslateMessage(&stored);
        DispatchMessageA(&stored);
        return Consumed();
    }
    if (m.Is(LFrame_Activate)) {
        LFrame* frame = static_cast<LFrame*>(m.param);
        LWindow* window = frame->Window();
        if (window && window->Kind() != 2 && m_focusInFloating)
            frame->SetState(LPane::kUnfocus);
        return Consumed();
    }
    if (m.Is(LPane_ReqFocus)) {
        LPane* pane = static_cast<LPane*>(m.param);
        LWindow* own = LWindow::FromHandle(pane->NativeWindow());
        LWindow* window = LThreadWindows::Active();
        if (!window)
            window = LThreadWindows::NextVisibleBelow(nullptr);
        for (; window; window = LThreadWindows::NextVisibleBelow(window)) {
            if (window != own && window->Frame())
                window->Frame()->SetState(LPane::kUnfocus);
            if (window->Kind() != 2)
                break;
        }
        m_focusInFloating = own && own->Kind() == 2 ? 1 : 0;
        pane->SetState(LPane::kFocus);
        return Consumed();
    }
    if (m.Is(LPane_ReqCapture)) {
        LPane* pane = static_cast<LPane*>(m.param);
        if (mouse) {
            LPane* old = mouse->CapturePane();
            if (old && old != pane) {
                mouse->SetCapturePane(nullptr);
                ReleaseCapture();
                Send(LMouse_Release, mouse, old);
            }
            mouse->SetCapturePane(pane);
            if (HWND handle = pane->NativeWindow())
                SetCapture(handle);
        }
        return Consumed();
    }
    if (m.Is(LPane_Destructing)) {
        if (mouse && mouse->CapturePane() == m.param) {
            mouse->SetCapturePane(nullptr);
            ReleaseCapture();
        }
        return LHandler::Handle(m);
    }
    if (m.Is(LHandler_Mode)) {
        if (m_modes.Append(m.param)) {
            PumpOne();
            if (!m_modes.IsEmpty())
                m_modes.Pop();
        }
        return Consumed();
    }
    return LHandler::Handle(m);
}

HWND LApplication::FindRunningInstance(const char* className)
{
    HWND found = FindWindowA(className, nullptr);
    if (!found)
        return nullptr;
    HWND popup = GetLastActivePopup(found);
    SetForegroundWindow(popup ? popup : found);
    if (GetWindowLongA(found, GWL_STYLE) & WS_MINIMIZE)
        ShowWindow(found, SW_RESTORE);
    return found;
}
