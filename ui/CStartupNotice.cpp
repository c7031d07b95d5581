#include "ui/CStartupNotice.h"

#include "framework/LMouse.h"
#include "framework/LProgressBar.h"
#include "framework/LPushButton.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"
#include "ui/CAppIcon.h"
#include "ui/CWorkAreaCentre.h"

CStartupNotice::CStartupNotice(LHandler* owner, LFrame* ownerWindow, const char* message)
    : m_dialog(owner, ownerWindow)
{
    m_dialog.SetTitle("Installer");
    if (m_dialog.StopButton())
        m_dialog.StopButton()->SetState(LPane::kHide);
    if (m_dialog.Bar())
        m_dialog.Bar()->SetState(LPane::kHide);
    m_dialog.SetIcon(CAppIcon::Get());
    m_dialog.SetMessage(message);
    if (LWindow* window = m_dialog.Window()) {
        if (HWND handle = window->Handle()) {
            RECT outer = {};
            GetWindowRect(handle, &outer);
            const RECT centred = CWorkAreaCentre::Centred(outer, LThreadWindows::WorkArea());
            SetWindowPos(handle, nullptr, centred.left, centred.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    m_dialog.WaitStepResult();
    m_dialog.UpdateNow();
    LMouse::SetCursor(1);
}
