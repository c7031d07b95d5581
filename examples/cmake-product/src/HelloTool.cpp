// Hello Tool: shows the greeting from Settings\hello.ini beside the program in a message box.
#include <windows.h>

#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    char* slash = length > 0 && length < sizeof path ? std::strrchr(path, '\\') : nullptr;
    const char settings[] = "\\Settings\\hello.ini";
    char greeting[256] = "Hello";
    if (slash && static_cast<size_t>(slash - path) + sizeof settings <= sizeof path) {
        std::strcpy(slash, settings);
        GetPrivateProfileStringA("Hello Tool", "Greeting", "Hello", greeting, sizeof greeting, path);
    }
    MessageBoxA(nullptr, greeting, "Hello Tool", MB_OK | MB_ICONINFORMATION);
    return 0;
}
