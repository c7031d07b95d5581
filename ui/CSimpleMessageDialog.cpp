#include "ui/CSimpleMessageDialog.h"

#include "framework/LImagePane.h"
#include "framework/LMessageNames.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LStrList.h"
#include "ui/CMessageWait.h"
#include "ui/CModalStep.h"

// The layout is written without the blanks the script reader skips: it travels in every installer.
const char* const CSimpleMessageDialog::kLayoutNames = "okbtn=1;cancelbtn=2;msgtx=3;icnpn=4;";
const char* const CSimpleMessageDialog::kLayoutSize =
    "tw=max(CalcTextBoxW(msgtx),CalcTextW(msgtx,20));"
    "cw=CalcStdIconR(icnpn)+max(tw,CalcTwoButtonW(okbtn,cancelbtn))+kStdSpc;"
    "ch=kStdSpc+hp(msgtx,tw)+kGrpSpc+hp(okbtn)+kStdSpc;"
    "pp(0,40,40,40+cw,40+ch);";
const char* const CSimpleMessageDialog::kLayoutPlacement =
    "PlaceTwoButton(okbtn,cancelbtn);PlaceStdIcon(icnpn);"
    "PlaceTextBoxLTR(msgtx,GetStdIconR(icnpn),kStdSpc,w(0)-kStdSpc);";

CSimpleMessageDialog::CSimpleMessageDialog(LHandler* owner, LFrame* ownerWindow)
    : LDialog(owner, ownerWindow, &ModalDef())
{
    LStrList texts("CSIMPLEMESSAGEDIALOG", LStrList::kStrings);
    const LFont font = LFont::MessageFont();
    m_ok = new (std::nothrow) LPushButton(this, texts.Get(1).Text(), font);
    m_cancel = new (std::nothrow) LPushButton(this, texts.Get(2).Text(), font);
    m_message = new (std::nothrow) LTextPane(this, 2, "", font);
    m_icon = new (std::nothrow) LImagePane(this, LIcon());
    if (Window())
        Window()->SetTitle(texts.Get(0).Text());
    SetDefaultButton(m_ok);
    SetCancelButton(m_ok);
}

void CSimpleMessageDialog::SetIcon(const LIcon& icon)
{
    if (m_icon)
        m_icon->SetIcon(icon);
}

void CSimpleMessageDialog::Layout()
{
    const RECT content = LLayoutRun::Build(*this, LLayoutSections(kLayoutNames, kLayoutSize, kLayoutPlacement));
    if (Window())
        Window()->SetContentRect(content);
}

void CSimpleMessageDialog::Prepare(const char* message, bool withCancel)
{
    if (m_cancel) {
        // A hidden Cancel keeps its place in the layout; OK stays where a question shows it.
        m_cancel->SetState(withCancel ? LPane::kShow : LPane::kHide);
        SetCancelButton(withCancel ? m_cancel : m_ok);
    }
    if (m_message)
        m_message->SetText(message);
    Layout();
}

int32_t CSimpleMessageDialog::Run(const char* message, int32_t timeoutSeconds, bool withCancel)
{
    Prepare(message, withCancel);
    CMessageWait wait(timeoutSeconds, withCancel, GetTickCount());
    do {
        m_result = kWaiting;
        CModalStep::Wait(*this, *this);
    } while (!wait.Finished(m_result, GetTickCount()));
    return wait.Answer();
}

LMessage CSimpleMessageDialog::Handle(const LMessage& m)
{
    if (m.Is(LStdCtl_Selected) && m.param) {
        if (m.param == DefaultButton()) {
            m_result = kDefault;
            return Consumed();
        }
        if (m.param == CancelButton()) {
            m_result = kEscape;
            return Consumed();
        }
    }
    return LDialog::Handle(m);
}
