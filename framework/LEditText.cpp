#include "framework/LEditText.h"

#include "framework/LBrush.h"
#include "framework/LDrawContext.h"
#include "framework/LMessageNames.h"
#include "framework/LWinMsg.h"

LStdCtlSpec LEditText::Spec(int kind, const LFont& font)
{
    LStdCtlSpec spec;
    spec.valid = 1;
    spec.style = kind == 1 ? 0xC4 : kind == 2 ? 0x44 : 0x80;
    spec.className = "EDIT";
    spec.font = font;
    return spec;
}

LEditText::LEditText(LFrame* parent, int kind, int borderWidth, const LFont& font)
    : LStdCtl(parent, Spec(kind, font)), m_inset(borderWidth + 1)
{
}

RECT LEditText::NativeRect() const
{
    RECT r = Bounds();
    InflateRect(&r, -m_inset, -m_inset);
    return r;
}

RECT LEditText::RegionRect() const
{
    RECT r = Bounds();
    InflateRect(&r, 1, 1);
    return r;
}

void LEditText::StateChanged(int code)
{
    if (code == kFocus && Control()) {
        if (GetFocus() != Control())
            SetFocus(Control());
        return;
    }
    if (code == kFocusByKey && Control()) {
        SendMessageA(Control(), EM_SETSEL, 0, -1);
        return;
    }
    LStdCtl::StateChanged(code);
}

LMessage LEditText::Handle(const LMessage& m)
{
    if (m.Is(LWinMsg_Msg)) {
        const LWinMsg* record = static_cast<const LWinMsg*>(m.param);
        if (record->message == WM_COMMAND) {
            switch (record->Notification()) {
            case EN_SETFOCUS:
                SetStateBits(kFocused);
                return LMessage(LPane_ReqFocus, this, Next());
            case EN_KILLFOCUS:
                ClearStateBits(kFocused);
                if (Control() && IsChild(GetActiveWindow(), Control()))
                    return LMessage(LEditText_Unfocused, this, Next());
                break;
            case EN_CHANGE:
                Send(LEditText_Change, this, Next());
                break;
            default:
                break;
            }
        }
    }
    return LStdCtl::Handle(m);
}

int LEditText::PreferredWidth(int hint)
{
    DWORD margins = Control() ? static_cast<DWORD>(SendMessageA(Control(), EM_GETMARGINS, 0, 0)) : 0;
    const int left = LOWORD(margins), right = HIWORD(margins);
    if (hint == -11 || hint == -1)
        return Control() ? (left + right + 1) / 2 + m_inset : m_inset;
    if (hint == -2)
        return TextWidth("M");
    return left + right + TextWidth(Text().Text()) + 2 * m_inset;
}

int LEditText::PreferredHeight(int hint)
{
    if (hint == -11 || hint == -1)
        return m_inset;
    if (hint == -10)
        return Ascent() + m_inset;
    return LineHeight() + 2 * m_inset;
}

void LEditText::Draw(LDrawContext& context)
{
    HDC dc = context.DC();
    if (!dc)
        return;
    RECT edge = Bounds();
    InflateRect(&edge, 1, 1);
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
    // The ring between the edge and the native window.
    RECT outer = Bounds();
    InflateRect(&outer, -1, -1);
    RECT inner = NativeRect();
    LBrush white = LBrush::Grey(4);
    LRegion ring = LRegion::FromRect(outer).Difference(LRegion::FromRect(inner));
    if (ring.Handle() && white.Handle())
        FillRgn(dc, ring.Handle(), white.Handle());
}
