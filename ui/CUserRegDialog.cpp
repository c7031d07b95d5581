#include "ui/CUserRegDialog.h"

#include "framework/LApplication.h"
#include "framework/LEditText.h"
#include "framework/LImagePane.h"
#include "framework/LMessageNames.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LStrList.h"
#include "ui/CLocaleNameClassifier.h"
#include "ui/CModalStep.h"

namespace {

// The name field draws a sunken border of this width around the native edit.
const int kNameBorder = 2;

// Messages the dialog does not consume go to its owner window's chain, or to the application.
LHandler* ChainOf(LFrame* ownerWindow, LHandler* owner)
{
    if (owner)
        return owner;
    if (ownerWindow)
        return ownerWindow;
    return LApplication::Instance();
}

} // namespace

CUserRegDialog::CUserRegDialog(LFrame* ownerWindow, LHandler* owner)
    : LDialog(ChainOf(ownerWindow, owner), ownerWindow, &ModalDef())
{
    LStrList texts("USERREG", LStrList::kStrings);
    const LFont font = LFont::MessageFont();
    m_setup = new (std::nothrow) LPushButton(this, texts.Get(1).Text(), font);
    m_cancel = new (std::nothrow) LPushButton(this, texts.Get(2).Text(), font);
    m_name = new (std::nothrow) LEditText(this, 0, kNameBorder, font);
    m_text = new (std::nothrow) LTextPane(this, 2, "", font);
    m_icon = new (std::nothrow) LImagePane(this, LIcon());
    if (Window())
        Window()->SetTitle(texts.Get(0).Text());
    SetCancelButton(m_cancel);
    UpdateSetup();
}

void CUserRegDialog::SetText(const char* text)
{
    if (m_text)
        m_text->SetText(text);
}

void CUserRegDialog::SetIcon(const LIcon& icon)
{
    if (m_icon)
        m_icon->SetIcon(icon);
}

void CUserRegDialog::SetName(const char* name)
{
    if (m_name)
        m_name->SetText(name);
    UpdateSetup();
}

LString CUserRegDialog::Name() const { return m_name ? m_name->Text() : LString(); }

void CUserRegDialog::UpdateSetup()
{
    if (!m_setup)
        return;
    const LString name = Name();
    m_setup->SetState(CLocaleNameClassifier::NameAllowsSetup(name.Text()) ? LPane::kEnable : LPane::kDisable);
}

void CUserRegDialog::Layout()
{
    const RECT content = LLayoutRun::Build(*this, LLayoutSections::FromResource("USERREG"));
    if (Window())
        Window()->SetContentRect(content);
    UpdateSetup();
}

int32_t CUserRegDialog::Run()
{
    m_result = kWaiting;
    // The name field is the only stop of the Tab order; typing goes there from the start.
    CModalStep::ShowIfHidden(*this);
    if (m_name)
        m_name->SetState(LPane::kTakeFocusForward);
    while (m_result != kSetup && m_result != kCancel)
        CModalStep::Wait(*this, *this);
    return m_result;
}

LMessage CUserRegDialog::Handle(const LMessage& m)
{
    if (m.Is(LEditText_Change) && m.param == m_name) {
        UpdateSetup();
        return Consumed();
    }
    if (m.Is(LStdCtl_Selected) && m.param) {
        if (m.param == m_setup) {
            // A name typed and the button pressed before the change was seen still counts.
            if (m_setup->Has(LPane::kEnabled))
                m_result = kSetup;
            return Consumed();
        }
        if (m.param == m_cancel) {
            m_result = kCancel;
            return Consumed();
        }
    }
    return LDialog::Handle(m);
}
