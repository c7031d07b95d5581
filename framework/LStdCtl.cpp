#include "framework/LStdCtl.h"

#include "framework/LDrawContext.h"
#include "framework/LFrame.h"
#include "framework/LMessageNames.h"
#include "framework/LMouse.h"
#include "framework/LWinMsg.h"
#include "framework/LWinMsgFilters.h"

#include <cstdlib>

namespace {
int g_liveControls = 0;
// Zero-initialised, so that it takes no initialised data in the image: ids start at 1.
int g_lastControlId = 0;
} // namespace

int LStdCtl::LiveControls() { return g_liveControls; }

LStdCtl::LStdCtl(LFrame* parent, const LStdCtlSpec& spec)
    : LPane(parent, parent), m_font(spec.font)
{
    if (g_liveControls++ == 0)
        LWinMsgFilters::Add(nullptr, &Filter);
    HWND parentWindow = NativeWindow();
    if (parentWindow && spec.valid) {
        const DWORD style = (spec.style & ~static_cast<DWORD>(WS_VISIBLE)) | WS_CHILD | WS_CLIPSIBLINGS;
        m_control = CreateWindowExA(0, spec.className.Text(), "", style, 0, 0, 0, 0, parentWindow,
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(++g_lastControlId)),
                                    reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parentWindow, GWLP_HINSTANCE)),
                                    nullptr);
        if (m_control) {
            SetWindowLongPtrA(m_control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            SetFont(m_font);
            // Made inside a frame that is already drawn: show it now.
            if (Has(kShown | kDrawable))
                StateChanged(kShow);
        }
    }
}

LStdCtl::~LStdCtl()
{
    if (m_control) {
        SetWindowLongPtrA(m_control, GWLP_USERDATA, 0);
        DestroyWindow(m_control);
        m_control = nullptr;
    }
    if (--g_liveControls == 0)
        LWinMsgFilters::Remove(nullptr, &Filter);
}

int LStdCtl::Filter(void*, HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if ((message != WM_COMMAND && message != WM_HSCROLL && message != WM_VSCROLL) || !lParam)
        return 0;
    HWND sender = reinterpret_cast<HWND>(lParam);
    LStdCtl* control = reinterpret_cast<LStdCtl*>(GetWindowLongPtrA(sender, GWLP_USERDATA));
    if (!control || control->m_control != sender)
        return 0;
    *result = 0;
    if (control->m_busy)
        return 1;
    LWinMsg record(sender, message, wParam, lParam);
    Send(LWinMsg_Msg, &record, control);
    return 1;
}

void LStdCtl::SetFont(const LFont& font)
{
    m_font = font;
    if (!m_control)
        return;
    LDrawContext context;
    GetDrawContext(context);
    HDC dc = context.DC();
    HGDIOBJ current = nullptr;
    if (dc) {
        // Putting the old font back reports the one the selection made current.
        HGDIOBJ old = m_font.Select(dc);
        current = SelectObject(dc, old);
    }
    SendMessageA(m_control, WM_SETFONT, reinterpret_cast<WPARAM>(current ? current : m_font.Handle()), 1);
    UpdateWindow(m_control);
}

void LStdCtl::SetText(const char* text)
{
    if (!m_control)
        return;
    if (Text().Equals(text ? text : ""))
        return;
    m_busy = 1;
    SendMessageA(m_control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
    m_busy = 0;
    if (Has(kShown | kDrawable))
        UpdateWindow(m_control);
}

LString LStdCtl::Text() const
{
    if (!m_control)
        return LString();
    // The control's own messages rather than their user32 wrappers, one import fewer each.
    const int length = static_cast<int>(SendMessageA(m_control, WM_GETTEXTLENGTH, 0, 0));
    char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
    if (!buffer)
        return LString();
    buffer[0] = 0;
    SendMessageA(m_control, WM_GETTEXT, static_cast<WPARAM>(length) + 1, reinterpret_cast<LPARAM>(buffer));
    LString text(buffer);
    std::free(buffer);
    return text;
}

void LStdCtl::Place()
{
    if (!m_control)
        return;
    LDrawContext context;
    GetDrawContext(context);
    RECT native = NativeRect();
    const POINT origin = context.Origin();
    OffsetRect(&native, origin.x, origin.y);
    SetWindowPos(m_control, nullptr, native.left, native.top, native.right - native.left, native.bottom - native.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Clipped to the visible part of its container.
    LRegion visible = context.Clip().Offset(-native.left, -native.top);
    const RECT none = {0, 0, 0, 0};
    HRGN region = CreateRectRgnIndirect(&none);
    if (region && visible.Handle())
        CombineRgn(region, visible.Handle(), nullptr, RGN_COPY);
    if (region && !SetWindowRgn(m_control, region, TRUE))
        DeleteObject(region);
}

void LStdCtl::BoundsChanged(const RECT& old)
{
    LPane::BoundsChanged(old);
    Place();
}

bool LStdCtl::IntersectsRegion(const LRegion& region)
{
    RECT r = RegionRect();
    return (State() & kShown) && region.Touches(r);
}

void LStdCtl::StateChanged(int code)
{
    if (code == kTakeFocusForward || code == kTakeFocusBackward) {
        LPane::StateChanged(code);
        return;
    }
    if (!m_control)
        return;
    const unsigned state = State();
    switch (code) {
    case kShow:
    case kMakeDrawable:
        if ((code == kShow && (state & kDrawable)) || (code == kMakeDrawable && (state & kShown))) {
            SetWindowPos(m_control, nullptr, 0, 0, 0, 0, 0x65F);
            ::InvalidateRgn(m_control, nullptr, TRUE);
            InvalidateRect(NativeRect());
        }
        break;
    case kHide:
    case kMakeUndrawable:
        SetWindowPos(m_control, nullptr, 0, 0, 0, 0, 0x69F);
        if (Container())
            Container()->InvalidateRegion(LRegion::FromRect(NativeRect()), LRegion());
        break;
    case kEnable:
        EnableWindow(m_control, TRUE);
        break;
    case kDisable:
        EnableWindow(m_control, FALSE);
        break;
    case kMoved:
        Place();
        break;
    case kFocus:
        SetFocus(m_control);
        break;
    case kUnfocus:
        if (GetFocus() == m_control) {
            HWND top = GetAncestor(m_control, GA_ROOT);
            SetFocus(top);
        }
        break;
    default:
        break;
    }
}

LMessage LStdCtl::Handle(const LMessage& m)
{
    LMouse* mouse = LMouse::Instance();
    if (mouse && m.param == mouse) {
        if (m.Is(LMouse_Click) && m_control && WindowFromPoint(mouse->Point()) == m_control)
            return Consumed();
        if (m.Is(LMouse_Cursor))
            return Consumed();
    }
    return LPane::Handle(m);
}

int LStdCtl::LineHeight()
{
    LDrawContext context;
    GetDrawContext(context);
    return m_font.LineHeight(context.DC());
}

int LStdCtl::Ascent()
{
    LDrawContext context;
    GetDrawContext(context);
    return m_font.Ascent(context.DC());
}

int LStdCtl::TextWidth(const char* text)
{
    LDrawContext context;
    GetDrawContext(context);
    return m_font.TextWidth(context.DC(), text);
}
