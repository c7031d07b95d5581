#pragma once

#include "framework/LHandler.h"

#include <windows.h>

// The state of the current keyboard input. One instance; only the keyboard messages update it.
class LKeyboard : public LHandler {
public:
    LKeyboard();
    ~LKeyboard() override;
    static LKeyboard* Instance();

    void Refresh(const MSG& message);
    char Character() const { return m_character; }
    unsigned VirtualKey() const { return m_virtualKey; }
    bool ShiftDown() const { return m_shift; }
    bool ControlDown() const { return m_control; }
    const MSG& LastMessage() const { return m_last; }

private:
    char m_character = 0;
    unsigned m_virtualKey = 0;
    bool m_shift = false;
    bool m_control = false;
    MSG m_last = {};
};
