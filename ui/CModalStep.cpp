#include "ui/CModalStep.h"

#include "framework/LFrame.h"
#include "framework/LMessageNames.h"
#include "framework/LThreadWindows.h"
#include "framework/LWindow.h"

#include <windows.h>

void CModalStep::ShowIfHidden(LFrame& dialog)
{
    LWindow* window = dialog.Window();
    if (window && window->Handle() && !IsWindowVisible(window->Handle()))
        LThreadWindows::Show(window);
}

void CModalStep::Wait(LHandler& requester, LFrame& dialog)
{
    ShowIfHidden(dialog);
    Send(LHandler_Mode, &requester, requester.Next());
}

bool CModalStep::Poll(LHandler& requester, LFrame& dialog)
{
    ShowIfHidden(dialog);
    MSG pending;
    if (!PeekMessageA(&pending, nullptr, 0, 0, PM_NOREMOVE))
        return false;
    Send(LHandler_Mode, &requester, requester.Next());
    return true;
}
