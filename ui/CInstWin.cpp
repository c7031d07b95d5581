#include "ui/CInstWin.h"

#include "framework/LMenuBar.h"
#include "framework/LPushButton.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "framework/LWindowPlacer.h"
#include "layout/LLayoutRun.h"
#include "layout/LLayoutSections.h"
#include "resources/LStrList.h"
#include "ui/CHowdyPage.h"
#include "ui/CUninsPage.h"
#include "ui/CWorkAreaCentre.h"


L_DEFINE_MESSAGE_NAME(CInstWin_Install);
L_DEFINE_MESSAGE_NAME(CInstWin_Uninstall);

namespace {

void LoadMenuNames(LMenu::Strings* names)
{
    LStrList bar("APP", LStrList::kMenuBar);
    for (int i = 0; i < bar.Count(); ++i) {
        LString* name = new (std::nothrow) LString(bar.Get(i));
        if (name && !names->Append(name))
            delete name;
    }
}

} // namespace

CInstWin::CInstWin(LHandler* owner)
    : LFrame(owner, nullptr, static_cast<CInstWinDef*>(this))
{
    LMenu::Strings names;
    LoadMenuNames(&names);
    m_menuBar = new (std::nothrow) LMenuBar(this, names);
    LMenu::FreeStrings(&names);
    if (m_menuBar && Window())
        Window()->AttachMenuBar(m_menuBar);
    m_howdy = new (std::nothrow) CHowdyPage(this);
    m_unins = new (std::nothrow) CUninsPage(this);
    ShowInstallPage();
}

CInstWin::~CInstWin()
{
    if (Window())
        Window()->AttachMenuBar(nullptr);
    delete m_menuBar;
}

void CInstWin::Layout()
{
    RECT content = LLayoutRun::Build(*this, LLayoutSections::FromResource("INSTWIN"));
    content = CWorkAreaCentre::Centred(content, LThreadWindows::WorkArea());
    if (Window())
        Window()->SetContentRect(content);
}

void CInstWin::ShowPage(LPane* shown, LPane* hidden)
{
    if (hidden)
        hidden->SetState(kHide);
    if (shown) {
        shown->SetState(kShow);
        Send(LPane_ReqFocus, shown, this);
    }
    // The pages' texts are drawn by the window itself: the hidden page's must be erased.
    if (Window() && Window()->Handle())
        ::InvalidateRgn(Window()->Handle(), nullptr, TRUE);
}

void CInstWin::ShowInstallPage() { ShowPage(m_howdy, m_unins); }
void CInstWin::ShowUninstallPage() { ShowPage(m_unins, m_howdy); }

void CInstWin::SetTitle(const char* title)
{
    if (Window())
        Window()->SetTitle(title);
}

void CInstWin::Show()
{
    if (Window())
        LThreadWindows::Show(Window());
}

void CInstWin::Hide()
{
    if (Window())
        LThreadWindows::Hide(Window());
}

LMessage CInstWin::Handle(const LMessage& m)
{
    // The window has no sizing border; its size comes from the layout alone. Limits taken
    // from the current size would hold a top-level window at the size it was created with.
    if (m.Is(LWindowPlacer_Grow) && Window() && m.param && static_cast<LWindowPlacer*>(m.param)->Window() == Window())
        return Consumed();
    if (m.Is(LStdCtl_Selected) && m.param) {
        if (m_howdy && m.param == m_howdy->InstallButton())
            return LMessage(CInstWin_Install, this, Next());
        if (m_unins && m.param == m_unins->UninstallButton())
            return LMessage(CInstWin_Uninstall, this, Next());
    }
    return LFrame::Handle(m);
}
