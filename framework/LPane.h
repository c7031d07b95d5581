#pragma once

#include "framework/LHandler.h"
#include "framework/LList.h"
#include "framework/LRegion.h"

#include <windows.h>

class LDrawContext;
class LFrame;

// A rectangle inside a frame that can draw itself, be hit by the mouse, take the keyboard
// focus and tell its preferred size. Its next receives what it does not consume (normally its
// frame); its container draws it.
class LPane : public LHandler, public LListNode {
public:
    enum StateBit : unsigned {
        kShown = 0x1, kEnabled = 0x2, kDrawable = 0x4, kActive = 0x8, kFocused = 0x10, kMouseInvisible = 0x20
    };
    // State codes of SetState.
    enum StateCode {
        kShow = 0, kHide = 1, kEnable = 2, kDisable = 3, kMakeDrawable = 4, kMakeUndrawable = 5,
        kActivate = 6, kDeactivate = 7, kMoved = 8, kNotice = 9, kFocus = 10, kUnfocus = 11,
        kFocusByKey = 12, kTakeFocusForward = 13, kTakeFocusBackward = 14
    };

    LPane(LHandler* next, LFrame* container);
    ~LPane() override;

    virtual void GetDrawContext(LDrawContext& context);
    virtual void InvalidateRegion(const LRegion& region, const LRegion& erase);
    virtual void StateChanged(int code);
    virtual void BoundsChanged(const RECT& old);
    virtual int PreferredWidth(int hint);
    virtual int PreferredHeight(int hint);
    virtual bool IntersectsRegion(const LRegion& region);
    virtual LPane* FocusPane();
    virtual LPane* PaneAt(POINT point);
    virtual void Draw(LDrawContext& context);

    void SetState(int code);
    void SetBounds(const RECT& rect);
    unsigned State() const { return m_state; }
    bool Has(unsigned bits) const { return (m_state & bits) == bits; }
    bool IsLive() const { return Has(kShown | kEnabled | kDrawable | kActive); }
    bool IsHittable() const { return Has(kShown | kEnabled) && !(m_state & kMouseInvisible); }
    const RECT& Bounds() const { return m_bounds; }
    int Width() const { return m_bounds.right - m_bounds.left; }
    int Height() const { return m_bounds.bottom - m_bounds.top; }
    LFrame* Container() const { return m_container; }
    // The native window the pane lies in (from its drawing context), and painting it now.
    HWND NativeWindow();
    void UpdateNow();
    // Invalidates a rectangle given in container coordinates.
    void InvalidateRect(const RECT& rect);

protected:
    void SetStateBits(unsigned bits) { m_state |= bits; }
    void ClearStateBits(unsigned bits) { m_state &= ~bits; }

private:
    unsigned m_state = kShown | kEnabled;
    LFrame* m_container;
    RECT m_bounds = {0, 0, 0, 0};
};
