#include "framework/LWindow.h"

#include "framework/LFrame.h"
#include "framework/LMenuBar.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindowDef.h"

LListOf<LWindow>& LWindow::All()
{
    static LListOf<LWindow> list;
    return list;
}

LWindow* LWindow::FromHandle(HWND handle)
{
    if (!handle)
        return nullptr;
    for (LWindow* window : All())
        if (window->m_handle == handle)
            return window;
    return nullptr;
}

LWindow::LWindow(LFrame* frame, LWindowDef* definition)
    : LHandler(frame), m_kind(definition ? definition->Kind() : 0), m_frame(frame), m_definition(definition)
{
    HWND parent = nullptr;
    if (frame && frame->Container())
        parent = frame->Container()->NativeWindow();
    m_handle = LThreadWindows::CreateAndAttach(this, parent);
    if (m_handle) {
        All().InsertFront(this);
        m_palette = LPalette::ForWindow(m_handle);
    }
}

LWindow::~LWindow()
{
    All().Remove(this);
    if (m_handle) {
        HWND handle = m_handle;
        LThreadWindows::Detach(this, handle);
        m_handle = nullptr;
    }
    m_palette = LPalette();
}

void LWindow::RebuildPalette()
{
    if (m_handle)
        m_palette = LPalette::ForWindow(m_handle);
}

HACCEL LWindow::Accelerators() const
{
    return m_menuBar ? m_menuBar->Accelerators().Native() : nullptr;
}

void LWindow::AttachMenuBar(LMenuBar* bar)
{
    if (m_menuBar && m_menuBar->Window() == m_handle)
        m_menuBar->SetWindow(nullptr);
    m_menuBar = bar;
    if (!m_handle)
        return;
    if (bar) {
        bar->SetWindow(m_handle);
        SetMenu(m_handle, bar->Handle());
        DrawMenuBar(m_handle);
    } else {
        SetMenu(m_handle, nullptr);
    }
}

LHandler* LWindow::FocusTarget() const
{
    if (!m_frame)
        return const_cast<LWindow*>(this);
    LPane* focus = m_frame->Focus();
    return focus ? static_cast<LHandler*>(focus) : m_frame;
}

void LWindow::SetContentRect(const RECT& content)
{
    if (!m_handle)
        return;
    RECT outer = content;
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(m_handle, GWL_STYLE)), GetMenu(m_handle) != nullptr,
                       static_cast<DWORD>(GetWindowLongA(m_handle, GWL_EXSTYLE)));
    SetWindowPos(m_handle, nullptr, outer.left, outer.top, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_frame) {
        RECT client = {0, 0, 0, 0};
        GetClientRect(m_handle, &client);
        m_frame->SetBounds(client);
    }
}

void LWindow::SetTitle(const char* title)
{
    if (m_handle)
        SendMessageA(m_handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title ? title : ""));
}
