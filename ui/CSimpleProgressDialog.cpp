#include "ui/CSimpleProgressDialog.h"

#include "framework/LImagePane.h"
#include "framework/LMessageNames.h"
#include "framework/LProgressBar.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LStrList.h"
#include "ui/CAppIcon.h"
#include "ui/CModalStep.h"
#include "ui/MeasuringTexts.h"

#include <algorithm>

namespace {

const int kMessagesPerLook = 8;

} // namespace

// The layout is written without the blanks the script reader skips: it travels in every installer.
const char* const CSimpleProgressDialog::kLayoutNames = "stopbtn=1;msgtx=2;progbar=3;iconpn=4;";
const char* const CSimpleProgressDialog::kLayoutSize =
    "tw=max(wp(msgtx),CalcTextW(msgtx,20));"
    "cw=CalcStdIconR(iconpn)+tw+kStdSpc;"
    "ch=kStdSpc+hp(msgtx,tw)+kGrpSpc+hp(progbar)+kGrpSpc+hp(stopbtn)+kStdSpc;"
    "pp(0,40,40,40+cw,40+ch);";
const char* const CSimpleProgressDialog::kLayoutPlacement =
    "PlaceOneButton(stopbtn);PlaceStdIcon(iconpn);"
    "PlaceTextBoxLTR(msgtx,GetStdIconR(iconpn),kStdSpc,w(0)-kStdSpc);"
    "t1=b(msgtx)+kGrpSpc;pp(progbar,l(msgtx),t1,w(0)-kStdSpc,t1+hp(progbar));";

CSimpleProgressDialog::CSimpleProgressDialog(LHandler* owner, LFrame* ownerWindow)
    : LDialog(owner, ownerWindow, &ModalDef())
{
    LStrList texts("CSIMPLEPROGRESSDIALOG", LStrList::kStrings);
    const LFont font = LFont::MessageFont();
    m_stop = new (std::nothrow) LPushButton(this, texts.Get(1).Text(), font);
    m_message = new (std::nothrow) LTextPane(this, 0, measuring::CLongLine().Text(), font);
    m_bar = new (std::nothrow) LProgressBar(this);
    m_icon = new (std::nothrow) LImagePane(this, LIcon());
    SetTitle(texts.Get(0).Text());
    SetDefaultButton(m_stop);
    SetCancelButton(m_stop);
    // Wide enough for a long line from the start; the real message comes later.
    Layout();
    if (m_message)
        m_message->SetText("");
}

bool CSimpleProgressDialog::IsVisible() const
{
    return Window() && Window()->Handle() && IsWindowVisible(Window()->Handle());
}

void CSimpleProgressDialog::Layout()
{
    const RECT content =
        LLayoutRun::Build(*this, LLayoutSections(kLayoutNames, kLayoutSize, kLayoutPlacement));
    if (Window())
        Window()->SetContentRect(content);
}

void CSimpleProgressDialog::SetTitle(const char* title)
{
    if (Window())
        Window()->SetTitle(title);
}

void CSimpleProgressDialog::SetIcon(const LIcon& icon)
{
    if (m_icon)
        m_icon->SetIcon(icon);
}

void CSimpleProgressDialog::SetMessage(const char* message)
{
    if (!m_message)
        return;
    m_message->SetText(message);
    if (!IsVisible())
        Layout();
}

int32_t CSimpleProgressDialog::WaitStepResult()
{
    CModalStep::Poll(*this, *this);
    return m_result;
}

bool CSimpleProgressDialog::WaitStep(bool always)
{
    const uint32_t now = GetTickCount();
    // Unsigned difference: right across the wrap of the tick counter.
    if (!always && m_result == 0 && m_looked && now - m_lastLook < kLookIntervalMs)
        return false;
    m_looked = true;
    m_lastLook = now;
    // A repaint and a click may both be waiting: what is pending is handled, up to a few.
    for (int handled = 0; handled < kMessagesPerLook && m_result == 0; ++handled) {
        if (!CModalStep::Poll(*this, *this))
            break;
    }
    return m_result == 1;
}

void CSimpleProgressDialog::SetMaximum(uint32_t maximum)
{
    m_shift = 0;
    m_shownWidth = -1;
    while ((maximum >> m_shift) > 0x7FFFFFFFu)
        ++m_shift;
    if (m_bar)
        m_bar->SetMaximum(static_cast<int32_t>(maximum >> m_shift));
}

void CSimpleProgressDialog::SetPosition(uint32_t position)
{
    if (!m_bar)
        return;
    // The installation reports after every entry; redrawing a bar that would look the same
    // costs more than writing a small file, so only a change the user can see goes to it.
    const int32_t scaled = static_cast<int32_t>(position >> m_shift);
    const int32_t maximum = m_bar->Maximum();
    // In double, exact for a bar's width times a 31-bit position: a 64-bit integer division
    // would bring the runtime's division routine into the 32-bit image.
    const double width = m_bar->Width();
    const int32_t filled = maximum > 0 ? static_cast<int32_t>(width * std::min(scaled, maximum) / maximum) : 0;
    if (filled == m_shownWidth && scaled < maximum)
        return;
    // A change every few milliseconds is more than the eye follows; the end is always shown.
    const uint32_t now = GetTickCount();
    if (m_shownWidth >= 0 && scaled < maximum && now - m_lastShown < kLookIntervalMs)
        return;
    m_lastShown = now;
    m_shownWidth = filled;
    m_bar->SetPosition(scaled);
}

void CSimpleProgressDialog::BeginFiles(uint32_t total, bool uninstalling)
{
    LStrList texts("PROGMSG", LStrList::kStrings);
    SetIcon(CAppIcon::Get());
    if (m_stop)
        m_stop->SetText(texts.Get(0).Text());
    SetMessage(texts.Get(uninstalling ? 2 : 1).Text());
    SetMaximum(total);
}

void CSimpleProgressDialog::EndFiles()
{
    if (m_stop)
        m_stop->SetState(LPane::kDisable);
}

void CSimpleProgressDialog::HideBar()
{
    if (m_bar)
        m_bar->SetState(LPane::kHide);
}

void CSimpleProgressDialog::ShowCanceling()
{
    LStrList texts("PROGMSG", LStrList::kStrings);
    HideBar();
    SetMessage(texts.Get(3).Text());
}

LMessage CSimpleProgressDialog::Handle(const LMessage& m)
{
    if (m.Is(LStdCtl_Selected) && m.param && m.param == m_stop) {
        // The close box arrives here as well; once Stop is disabled it stops nothing.
        if (m_stop->Has(LPane::kEnabled))
            m_result = 1;
        return Consumed();
    }
    return LDialog::Handle(m);
}
