#include <windows.h>

// Program entry. The command line is not read; the exit code is always 0.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return 0;
}
