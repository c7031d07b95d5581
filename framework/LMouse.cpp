#include "framework/LMouse.h"

#include "framework/LMessageNames.h"
#include "framework/LPane.h"

namespace {
LMouse* g_mouse = nullptr;
}

LMouse* LMouse::Instance() { return g_mouse; }

LMouse::LMouse()
    : LHandler(nullptr), m_captureTimer(this)
{
    g_mouse = this;
}

LMouse::~LMouse()
{
    m_captureTimer.Stop();
    if (g_mouse == this)
        g_mouse = nullptr;
}

void LMouse::Refresh(const MSG& message)
{
    m_last = message;
    m_point = message.pt;
    if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) {
        m_buttons = static_cast<unsigned>(message.wParam);
        if (GetKeyState(VK_MENU) < 0)
            m_buttons |= 0x20;
    } else if (message.message == WM_KEYDOWN || message.message == WM_KEYUP ||
               message.message == WM_SYSKEYDOWN || message.message == WM_SYSKEYUP) {
        m_buttons &= ~static_cast<unsigned>(MK_SHIFT | MK_CONTROL);
        if (GetKeyState(VK_SHIFT) < 0)
            m_buttons |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0)
            m_buttons |= MK_CONTROL;
    } else if (message.message == WM_CONTEXTMENU) {
        m_buttons = 0;
    }
}

void LMouse::SetCapturePane(LPane* pane)
{
    m_capture = pane;
    if (pane)
        m_captureTimer.Start(33);
    else
        m_captureTimer.Stop();
}

LMessage LMouse::Handle(const LMessage& m)
{
    if (m.Is(LTimer_Expire) && m.param == &m_captureTimer) {
        if (m_capture) {
            m_captureTimer.Start(33);
            Send(LMouse_Idle, this, m_capture);
        }
        return Consumed();
    }
    return LHandler::Handle(m);
}

void LMouse::SetCursor(int kind)
{
    ::SetCursor(Cursor(kind));
}

HCURSOR LMouse::Cursor(int kind)
{
    // What LoadCursorA gives for a system cursor, through the loader the program imports anyway.
    return static_cast<HCURSOR>(
        LoadImageA(nullptr, kind == 1 ? IDC_WAIT : IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED | LR_DEFAULTSIZE));
}
