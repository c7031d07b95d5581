// Hello Tool: one window with the greeting from Settings\hello.ini beside the program and the
// folder the installer put it in, read from the registry value its installer wrote. As a 64-bit
// program it reads the registry's 64-bit view, which is why its installer is packed with the
// x64 stub: the 32-bit one would write the value into the 32-bit view.
#include <windows.h>

#include <cstring>

namespace {

const char kClassName[] = "HelloToolWindow";
char gGreeting[256] = "Hello";
char gInstalled[MAX_PATH + 32] = "Not installed: no InstallDir in the registry";

void ReadGreeting()
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = length > 0 && length < sizeof path ? std::strrchr(path, '\\') : nullptr;
    const char settings[] = "\\Settings\\hello.ini";
    if (!slash || static_cast<size_t>(slash - path) + sizeof settings > sizeof path)
        return;
    std::strcpy(slash, settings);
    GetPrivateProfileStringA("Hello Tool", "Greeting", "Hello", gGreeting, sizeof gGreeting, path);
}

void ReadInstallDir()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Hello Vendor\\Hello Tool", 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    char folder[MAX_PATH] = "";
    DWORD size = sizeof folder - 1, type = 0;
    if (RegQueryValueExA(key, "InstallDir", nullptr, &type, reinterpret_cast<BYTE*>(folder), &size) == ERROR_SUCCESS
        && type == REG_SZ) {
        folder[size < sizeof folder ? size : sizeof folder - 1] = '\0';
        std::strcpy(gInstalled, "Installed in ");
        std::strcat(gInstalled, folder);
    }
    RegCloseKey(key);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        SetBkMode(dc, TRANSPARENT);
        RECT top = client, bottom = client;
        top.bottom = (client.top + client.bottom) / 2;
        bottom.top = top.bottom;
        DrawTextA(dc, gGreeting, -1, &top, DT_CENTER | DT_BOTTOM | DT_SINGLELINE);
        DrawTextA(dc, gInstalled, -1, &bottom, DT_CENTER | DT_TOP | DT_SINGLELINE);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    ReadGreeting();
    ReadInstallDir();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowA(kClassName, "Hello Tool", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 420, 160,
                                nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
