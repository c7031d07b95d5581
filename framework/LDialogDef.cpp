#include "framework/LDialogDef.h"

#include "framework/LMouse.h"
#include "framework/LOwnModule.h"
#include "framework/LWindowProc.h"

#include <cstring>

namespace {
int g_definitions = 0;
}

LDialogDef::LDialogDef(int kind)
    : LWindowDef(kind)
{
    if (g_definitions++ == 0) {
        WNDCLASSEXA wc;
        std::memset(&wc, 0, sizeof(wc));
        wc.cbSize = sizeof(wc);
        // Dialog windows keep the dialog manager's data in their extra bytes; the platform's
        // figure is used so that 64-bit builds get the room they need.
        wc.cbWndExtra = DLGWINDOWEXTRA;
        wc.lpfnWndProc = &LDialogWindowProc;
        wc.hInstance = LOwnModule();
        wc.hCursor = LMouse::Cursor(0);
        wc.lpszClassName = ClassName();
        RegisterClassExA(&wc);
    }
}

LDialogDef::~LDialogDef()
{
    if (--g_definitions == 0)
        UnregisterClassA(ClassName(), LOwnModule());
}

HWND LDialogDef::Create(HWND parent)
{
    // DLGTEMPLATE followed by the menu, class and title arrays, WORD aligned.
    alignas(4) WORD buffer[64];
    std::memset(buffer, 0, sizeof(buffer));
    DLGTEMPLATE* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    dialog->dwExtendedStyle = 0;
    dialog->cdit = 0;
    dialog->x = 40;
    dialog->y = 40;
    dialog->cx = 40;
    dialog->cy = 40;
    WORD* p = reinterpret_cast<WORD*>(dialog + 1);
    *p++ = 0; // no menu
    for (const char* c = ClassName(); *c; ++c)
        *p++ = static_cast<WORD>(*c);
    *p++ = 0;
    *p++ = 0; // empty title
    return CreateDialogIndirectParamA(LOwnModule(), dialog, parent, nullptr, 0);
}
