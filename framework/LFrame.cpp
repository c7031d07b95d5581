#include "framework/LFrame.h"

#include "framework/LDrawContext.h"
#include "framework/LKeyboard.h"
#include "framework/LMessageNames.h"
#include "framework/LMouse.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "framework/LWindowDef.h"
#include "framework/LWindowPlacer.h"

#include <new>

namespace {
LPane* g_paneUnderPointer = nullptr;
}

LPane* LFrame::PaneUnderPointer() { return g_paneUnderPointer; }

void LFrame::ForgetPaneUnderPointer(LPane* pane)
{
    if (g_paneUnderPointer == pane)
        g_paneUnderPointer = nullptr;
}

LFrame::LFrame(LHandler* next, LFrame* container, LWindowDef* definition)
    : LPane(next, container)
{
    if (definition) {
        m_window = new (std::nothrow) LWindow(this, definition);
        if (m_window && !m_window->Handle()) {
            delete m_window;
            m_window = nullptr;
        }
    }
    // A frame that fills a window can be drawn from the start.
    if (m_window)
        SetState(kMakeDrawable);
    Send(LFrame_Constructing, this, next);
}

LFrame::~LFrame()
{
    delete[] m_focusOrder;
    ForgetPaneUnderPointer(this);
    Send(LFrame_Destructing, this, Next());
    while (LPane* child = m_childFrames.First()) {
        m_childFrames.Remove(child);
        delete child;
    }
    while (LPane* child = m_panes.Last()) {
        m_panes.Remove(child);
        delete child;
    }
    m_focus = nullptr;
    if (m_window) {
        LWindow* window = m_window;
        m_window = nullptr;
        LThreadWindows::Close(window);
    }
}

LPane* LFrame::PaneById(int id) const
{
    if (id <= 0)
        return nullptr;
    int position = 1;
    for (LPane* pane : m_panes)
        if (position++ == id)
            return pane;
    return nullptr;
}

void LFrame::GetDrawContext(LDrawContext& context)
{
    if (m_window) {
        context.SetWindow(m_window->Handle());
        RECT own = Bounds();
        context.SetClip(LRegion::FromRect(own));
    } else {
        if (Container())
            Container()->GetDrawContext(context);
        context.IntersectClip(Bounds());
        context.MoveOrigin(Bounds().left, Bounds().top);
    }
    if (!m_background.IsNull())
        context.SetBackground(m_background);
}

void LFrame::InvalidateRegion(const LRegion& region, const LRegion& erase)
{
    if (!Has(kShown | kDrawable))
        return;
    if (m_window) {
        if (HWND handle = m_window->Handle()) {
            InvalidateRgn(handle, region.Handle(), FALSE);
            if (!erase.IsNull())
                InvalidateRgn(handle, erase.Handle(), TRUE);
        }
        return;
    }
    // Children speak in this frame's coordinates; the container in its own.
    if (Container())
        Container()->InvalidateRegion(region.Offset(Bounds().left, Bounds().top),
                                      erase.IsNull() ? erase : erase.Offset(Bounds().left, Bounds().top));
}

void LFrame::ForEachChild(int code)
{
    for (LPane* pane : m_panes)
        pane->SetState(code);
    for (LPane* pane : m_childFrames)
        pane->SetState(code);
}

void LFrame::StateChanged(int code)
{
    const unsigned state = State();
    if ((code == kShow && (state & kDrawable)) || (code == kMakeDrawable && (state & kShown))) {
        for (LPane* pane : m_panes)
            pane->SetState(kMakeDrawable);
        if (m_window && m_window->Handle())
            ::InvalidateRgn(m_window->Handle(), nullptr, FALSE);
        if (!m_focus && m_window)
            MoveFocus(false);
    } else if ((code == kHide && (state & kDrawable)) || (code == kMakeUndrawable && (state & kShown))) {
        for (LPane* pane : m_panes)
            pane->SetState(kMakeUndrawable);
    } else if ((code == kEnable && (state & kActive)) || (code == kActivate && (state & kEnabled))) {
        ForEachChild(kActivate);
    } else if ((code == kDisable && (state & kActive)) || (code == kDeactivate && (state & kEnabled))) {
        ForEachChild(kDeactivate);
    } else if (code == kMoved || code == kNotice) {
        ForEachChild(code);
    } else if (code == kFocus || code == kUnfocus) {
        if (m_focus)
            m_focus->SetState(code);
    } else if (code == kTakeFocusForward || code == kTakeFocusBackward) {
        if (m_focusCount > 0) {
            ClearFocus();
            MoveFocus(code == kTakeFocusBackward);
        }
        return;
    }
    LPane::StateChanged(code);
}

void LFrame::BoundsChanged(const RECT& old)
{
    LPane::BoundsChanged(old);
    // Children with native windows follow the frame's new origin, and are clipped again to
    // the new size: a control placed while the frame was smaller would stay cut off.
    if (old.left != Bounds().left || old.top != Bounds().top || old.right - old.left != Width() ||
        old.bottom - old.top != Height())
        ForEachChild(kMoved);
}

LPane* LFrame::FocusPane()
{
    if (!IsLive())
        return nullptr;
    LPane* inner = m_focus ? m_focus->FocusPane() : nullptr;
    return inner ? inner : this;
}

LPane* LFrame::PaneAt(POINT point)
{
    if (!LPane::PaneAt(point))
        return nullptr;
    POINT local = {point.x - Bounds().left, point.y - Bounds().top};
    LPane* hit = nullptr;
    for (LPane* pane : m_panes)
        if (LPane* answer = pane->PaneAt(local))
            hit = answer;
    return hit ? hit : this;
}

void LFrame::Draw(LDrawContext& parent)
{
    LDrawContext context;
    context.InheritFrom(parent);
    if (!m_window) {
        context.IntersectClip(Bounds());
        context.MoveOrigin(Bounds().left, Bounds().top);
    } else {
        context.IntersectClip(Bounds());
    }
    if (!m_background.IsNull())
        context.SetBackground(m_background);
    LRegion local = context.LocalClip();
    if (!m_background.IsNull() && context.Apply()) {
        RECT inside = {0, 0, Width(), Height()};
        m_background.Fill(context.DC(), inside);
    }
    for (LPane* pane : m_panes) {
        if (!pane->IntersectsRegion(local))
            continue;
        LDrawContext child;
        child.InheritFrom(context);
        if (child.Apply())
            pane->Draw(child);
    }
}

void LFrame::ClearFocus()
{
    if (LPane* old = m_focus) {
        m_focus = nullptr;
        old->SetState(kUnfocus);
    }
}

void LFrame::SetFocusOrder(const int* ids, int count)
{
    delete[] m_focusOrder;
    m_focusOrder = count > 0 ? new (std::nothrow) int[static_cast<size_t>(count)] : nullptr;
    m_focusCount = m_focusOrder ? count : 0;
    for (int i = 0; i < m_focusCount; ++i)
        m_focusOrder[i] = ids[i];
}

bool LFrame::MoveFocus(bool backwards)
{
    const int count = m_focusCount;
    if (count == 0)
        return false;
    int start = -1;
    for (int i = 0; i < count && m_focus; ++i)
        if (PaneById(m_focusOrder[i]) == m_focus)
            start = i;
    bool wrapped = false;
    int position = start;
    for (int steps = 0; steps < count; ++steps) {
        if (backwards) {
            if (position <= 0) {
                position = count - 1;
                wrapped = true;
            } else {
                --position;
            }
        } else {
            position = position + 1;
            if (position >= count) {
                position = 0;
                wrapped = true;
            }
        }
        if (position == start)
            break;
        LPane* pane = PaneById(m_focusOrder[position]);
        if (!pane || !pane->Has(kShown | kEnabled))
            continue;
        LDrawContext context;
        pane->GetDrawContext(context);
        if (!context.LocalClip().Touches(pane->Bounds()))
            continue;
        pane->SetState(backwards ? kTakeFocusBackward : kTakeFocusForward);
        if (m_focus)
            m_focus->SetState(kFocusByKey);
        return wrapped;
    }
    if (m_focus) {
        LPane* again = m_focus;
        again->SetState(backwards ? kTakeFocusBackward : kTakeFocusForward);
        again->SetState(kFocusByKey);
    }
    return wrapped;
}

LPane* LFrame::TargetAt(POINT screenPoint)
{
    POINT point = screenPoint;
    if (m_window && m_window->Handle())
        MapWindowPoints(nullptr, m_window->Handle(), &point, 1);
    LPane* target = PaneAt(point);
    return target ? target : this;
}

LMessage LFrame::HandleWindowMessage(const LMessage& m)
{
    LMouse* mouse = LMouse::Instance();
    if (m.Is(LWindow_Update)) {
        LDrawContext context;
        if (context.BeginPaint(m_window->Handle(), m_window->Palette().Handle()) && !context.Clip().IsEmpty())
            Draw(context);
        return Consumed();
    }
    if (m.Is(LWindow_Cursor) || m.Is(LWindow_Click) || m.Is(LWindow_Context)) {
        LPane* target = TargetAt(mouse ? mouse->Point() : POINT{0, 0});
        if (m.Is(LWindow_Cursor)) {
            if (target != g_paneUnderPointer) {
                if (g_paneUnderPointer && mouse)
                    Send(LMouse_Leave, mouse, g_paneUnderPointer);
                g_paneUnderPointer = target;
            }
            return LMessage(LMouse_Cursor, mouse, target);
        }
        return LMessage(m.Is(LWindow_Click) ? LMouse_Click : LMouse_Context, mouse, target);
    }
    if (m.Is(LWindow_Activate)) {
        SetState(kActivate);
        return LMessage(LFrame_Activate, this, Next());
    }
    if (m.Is(LWindow_Deativate)) {
        SetState(kDeactivate);
        return LMessage(LFrame_Deactivate, this, Next());
    }
    if (m.Is(LWindow_Move)) {
        SetState(kMoved);
        return Consumed();
    }
    if (m.Is(LWindow_Size)) {
        RECT client = {0, 0, 0, 0};
        if (m_window->Handle())
            GetClientRect(m_window->Handle(), &client);
        SetBounds(client);
        return Consumed();
    }
    if (m.Is(LWindow_Close))
        return LMessage(LFrame_Close, this, Next());
    return LPane::Handle(m);
}

LMessage LFrame::HandleReqFocus(const LMessage& m)
{
    LPane* pane = static_cast<LPane*>(m.param);
    if (pane == this)
        return Consumed();
    if (pane->NativeWindow() != NativeWindow())
        return LPane::Handle(m);
    if (m_focus != pane) {
        LPane* old = m_focus;
        m_focus = pane;
        if (old)
            old->SetState(kUnfocus);
    }
    if (m_window && m_window->Handle() && !GetFocus())
        SetFocus(m_window->Handle());
    if (State() & kFocused)
        pane->SetState(kFocus);
    return LMessage(LPane_ReqFocus, this, Next());
}

LMessage LFrame::Handle(const LMessage& m)
{
    if (m_window && m.param == m_window)
        return HandleWindowMessage(m);
    if (m.Is(LPane_Constructing)) {
        if (m.param == this)
            return LPane::Handle(m);
        LPane* pane = static_cast<LPane*>(m.param);
        m_panes.Append(pane);
        // A child made inside a drawable, active frame takes those states at once.
        if (Has(kShown | kDrawable))
            pane->SetState(kMakeDrawable);
        if (Has(kEnabled | kActive))
            pane->SetState(kActivate);
        return Consumed();
    }
    if (m.Is(LPane_Destructing)) {
        LPane* pane = static_cast<LPane*>(m.param);
        if (m_panes.Remove(pane) || m_childFrames.Remove(pane)) {
            if (m_focus == pane)
                m_focus = nullptr;
            ForgetPaneUnderPointer(pane);
        }
        // Passed on, so that the application can drop a capture the pane holds.
        return LPane::Handle(m);
    }
    if (m.Is(LFrame_Constructing)) {
        LFrame* frame = static_cast<LFrame*>(m.param);
        if (frame == this)
            return LPane::Handle(m);
        if (frame->Window() && m_panes.Remove(frame))
            m_childFrames.Append(frame);
        return Consumed();
    }
    if (m.Is(LFrame_Destructing)) {
        if (m.param != this)
            m_childFrames.Remove(static_cast<LPane*>(m.param));
        return LPane::Handle(m);
    }
    if (m.Is(LPane_ReqFocus))
        return HandleReqFocus(m);
    if (m.Is(LWindowPlacer_Grow) && m_window) {
        LWindowPlacer* placer = static_cast<LWindowPlacer*>(m.param);
        RECT limits = {Width(), Height(), Width(), Height()};
        placer->SetLimits(limits);
        return Consumed();
    }
    LKeyboard* keyboard = LKeyboard::Instance();
    if (m.Is(LKeyboard_Down) && keyboard && m.param == keyboard && keyboard->Character() == '\t') {
        if (!MoveFocus(keyboard->ShiftDown()))
            return Consumed();
        return LPane::Handle(m);
    }
    LMouse* mouse = LMouse::Instance();
    if (mouse && m.param == mouse) {
        if (m.Is(LMouse_Click) && m_window) {
            ClearFocus();
            return Consumed();
        }
        if (m.Is(LMouse_Cursor)) {
            LMouse::SetCursor(0);
            return Consumed();
        }
    }
    return LPane::Handle(m);
}
