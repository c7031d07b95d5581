#pragma once

#include "framework/LHandler.h"
#include "framework/LTimer.h"

#include <windows.h>

class LPane;

// The state of the current mouse input and the mouse capture. One instance.
class LMouse : public LHandler {
public:
    LMouse();
    ~LMouse() override;
    static LMouse* Instance();

    LMessage Handle(const LMessage& message) override;

    // Takes the pointer position and button state from a window message.
    void Refresh(const MSG& message);
    POINT Point() const { return m_point; }
    unsigned Buttons() const { return m_buttons; }
    const MSG& LastMessage() const { return m_last; }

    LPane* CapturePane() const { return m_capture; }
    // Records the capture pane; while one holds it, "LMouse_Idle" goes to it every 33 ms.
    void SetCapturePane(LPane* pane);

    // 1 the hourglass, anything else the arrow.
    static void SetCursor(int kind);
    static HCURSOR Cursor(int kind);

private:
    POINT m_point = {0, 0};
    unsigned m_buttons = 0;
    MSG m_last = {};
    LPane* m_capture = nullptr;
    LTimer m_captureTimer;
};
