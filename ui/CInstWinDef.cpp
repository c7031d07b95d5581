#include "ui/CInstWinDef.h"

#include "framework/LMouse.h"
#include "framework/LOwnModule.h"
#include "framework/LWindowProc.h"
#include "ui/CAppIcon.h"

#include <cstring>

bool CInstWinDef::Register()
{
    static bool registered = false;
    if (registered)
        return true;
    HINSTANCE instance = LOwnModule();
    WNDCLASSEXA wc;
    std::memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &LFrameworkWindowProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageA(instance, CAppIcon::kName, IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, CAppIcon::kName, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    wc.hCursor = LMouse::Cursor(0);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    registered = RegisterClassExA(&wc) != 0;
    return registered;
}

HWND CInstWinDef::Create(HWND parent)
{
    if (!Register())
        return nullptr;
    // A fixed frame: the layout decides the size, the user does not.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    return CreateWindowExA(0, kClassName, "", style, CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, parent, nullptr,
                           LOwnModule(), nullptr);
}
