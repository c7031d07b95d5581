#include "ui/CAboutBox.h"

#include "framework/LImagePane.h"
#include "framework/LMessageNames.h"
#include "framework/LPushButton.h"
#include "framework/LTextPane.h"
#include "framework/LWindow.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LStrList.h"
#include "ui/CAppIcon.h"
#include "ui/CModalStep.h"

CAboutBox::CAboutBox(LHandler* owner, LFrame* ownerWindow)
    : LDialog(owner, ownerWindow, &ModalDef())
{
    LStrList texts("ABOUT", LStrList::kStrings);
    const LFont font = LFont::MessageFont();
    m_ok = new (std::nothrow) LPushButton(this, texts.Get(1).Text(), font);
    new (std::nothrow) LTextPane(this, 1, texts.Get(2).Text(), font);
    new (std::nothrow) LImagePane(this, CAppIcon::Get());
    if (Window())
        Window()->SetTitle(texts.Get(0).Text());
    SetDefaultButton(m_ok);
    SetCancelButton(m_ok);
    const RECT content = LLayoutRun::Build(*this, LLayoutSections::FromResource("ABOUT"));
    if (Window())
        Window()->SetContentRect(content);
}

void CAboutBox::Run()
{
    m_result = 0;
    while (m_result != 1 && m_result != 2)
        CModalStep::Wait(*this, *this);
}

LMessage CAboutBox::Handle(const LMessage& m)
{
    if (m.Is(LStdCtl_Selected) && m.param && m.param == m_ok) {
        m_result = 1;
        return Consumed();
    }
    return LDialog::Handle(m);
}
