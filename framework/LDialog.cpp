#include "framework/LDialog.h"

#include "framework/LKeyboard.h"
#include "framework/LMessageNames.h"
#include "framework/LPushButton.h"
#include "framework/LWindow.h"

LDialog::LDialog(LHandler* next, LFrame* container, LWindowDef* definition)
    : LFrame(next, container, definition)
{
}

void LDialog::SetDefaultButton(LPushButton* button)
{
    if (m_default)
        m_default->SetDefaultLook(false);
    m_default = button;
    if (m_default)
        m_default->SetDefaultLook(true);
}

LMessage LDialog::Press(LPushButton* button)
{
    // Shown pushed for a moment, so that a key press looks like a click.
    button->SetPushedLook(true);
    button->UpdateNow();
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 142) {
    }
    button->SetPushedLook(false);
    return LMessage(LStdCtl_Selected, button, this);
}

LMessage LDialog::Handle(const LMessage& m)
{
    LKeyboard* keyboard = LKeyboard::Instance();
    if (m.Is(LKeyboard_Down) && keyboard && m.param == keyboard) {
        const char c = keyboard->Character();
        if (c == '\r' && m_default && m_default->IsLive())
            return Press(m_default);
        if (c == 27 && m_cancel && m_cancel->IsLive())
            return Press(m_cancel);
        return LFrame::Handle(m);
    }
    if (m.Is(LWindow_Close) && Window() && m.param == Window()) {
        if (m_cancel)
            return LMessage(LStdCtl_Selected, m_cancel, this);
        if (m_default)
            return LMessage(LStdCtl_Selected, m_default, this);
        return LFrame::Handle(m);
    }
    if (m.Is(LStdCtl_Selected) && m.param) {
        if (m.param == m_default)
            return LMessage(LDialog_Default, this, Next());
        if (m.param == m_cancel)
            return LMessage(LDialog_Escape, this, Next());
    }
    if (m.Is(LPane_Destructing)) {
        if (m.param == m_default)
            m_default = nullptr;
        if (m.param == m_cancel)
            m_cancel = nullptr;
    }
    return LFrame::Handle(m);
}
