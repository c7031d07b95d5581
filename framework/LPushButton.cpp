#include "framework/LPushButton.h"

#include "framework/LMessageNames.h"
#include "framework/LWinMsg.h"

LStdCtlSpec LPushButton::Spec(const LFont& font)
{
    LStdCtlSpec spec;
    spec.valid = 1;
    spec.style = BS_NOTIFY | BS_PUSHBUTTON;
    spec.className = "BUTTON";
    spec.font = font;
    return spec;
}

LPushButton::LPushButton(LFrame* parent, const char* label, const LFont& font)
    : LStdCtl(parent, Spec(font))
{
    SetText(label);
}

void LPushButton::SetPushedLook(bool pushed)
{
    if (Control())
        SendMessageA(Control(), BM_SETSTATE, pushed ? 1 : 0, 0);
}

void LPushButton::SetDefaultLook(bool isDefault)
{
    if (Control())
        SendMessageA(Control(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, 1);
}

LMessage LPushButton::Handle(const LMessage& m)
{
    if (m.Is(LWinMsg_Msg)) {
        const LWinMsg* record = static_cast<const LWinMsg*>(m.param);
        if (record->message == WM_COMMAND) {
            switch (record->Notification()) {
            case BN_CLICKED:
                return LMessage(LStdCtl_Selected, this, Next());
            case BN_SETFOCUS:
                SetStateBits(kFocused);
                return LMessage(LPane_ReqFocus, this, Next());
            case BN_KILLFOCUS:
                ClearStateBits(kFocused);
                return Consumed();
            default:
                break;
            }
        }
    }
    return LStdCtl::Handle(m);
}

int LPushButton::PreferredWidth(int hint)
{
    const int width = TextWidth(Text().Text()) + 28;
    return hint == 0 && width < 58 ? 58 : width;
}

int LPushButton::PreferredHeight(int hint)
{
    const int line = LineHeight();
    if (hint == -10)
        return (Height() - line) / 2 + Ascent();
    if (hint == -1)
        return line + 4;
    return line * 14 / 8;
}
