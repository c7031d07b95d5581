#pragma once

#include "framework/LBrush.h"
#include "framework/LPane.h"


class LWindow;
class LWindowDef;

// A pane that holds panes. A frame made with a window definition owns a native top-level
// window (LWindow), fills its client area and turns the window's messages into pane messages.
// Children register themselves through their construction notices; the frame owns them.
class LFrame : public LPane {
public:
    LFrame(LHandler* next, LFrame* container, LWindowDef* definition = nullptr);
    ~LFrame() override;

    LMessage Handle(const LMessage& message) override;
    void GetDrawContext(LDrawContext& context) override;
    void InvalidateRegion(const LRegion& region, const LRegion& erase) override;
    void StateChanged(int code) override;
    void BoundsChanged(const RECT& old) override;
    LPane* FocusPane() override;
    LPane* PaneAt(POINT point) override;
    void Draw(LDrawContext& context) override;

    LWindow* Window() const { return m_window; }
    LPane* Focus() const { return m_focus; }
    // The child with a 1-based id (its position among the panes), or null.
    LPane* PaneById(int id) const;
    int PaneCount() const { return m_panes.Count(); }
    LListOf<LPane>& Panes() { return m_panes; }
    void SetBackground(const LBrush& brush) { m_background = brush; }
    const LBrush& Background() const { return m_background; }
    // The pane ids the focus moves along (copied; an empty order when memory runs out).
    void SetFocusOrder(const int* ids, int count);
    int FocusCount() const { return m_focusCount; }
    int FocusId(int index) const { return index >= 0 && index < m_focusCount ? m_focusOrder[index] : 0; }
    // Moves the focus along the focus order; returns whether the walk wrapped round an end.
    bool MoveFocus(bool backwards);
    void ClearFocus();

    // The one pane under the pointer, across all frames.
    static LPane* PaneUnderPointer();
    static void ForgetPaneUnderPointer(LPane* pane);

private:
    LPane* TargetAt(POINT screenPoint);
    LMessage HandleWindowMessage(const LMessage& message);
    LMessage HandleReqFocus(const LMessage& message);
    void ForEachChild(int code);

    LWindow* m_window = nullptr;
    LPane* m_focus = nullptr;
    LBrush m_background;
    LListOf<LPane> m_panes;
    LListOf<LPane> m_childFrames;
    int* m_focusOrder = nullptr; // owned
    int m_focusCount = 0;
};
