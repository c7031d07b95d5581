#include "app/StartUp.h"
#include "ui/CInstallerUi.h"

#include <windows.h>

// Program entry. The command line is not read; the exit code is always 0.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return RunInstallerProcess(instance, &CInstallerUi::Make);
}
