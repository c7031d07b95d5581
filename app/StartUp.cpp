#include "app/StartUp.h"

#include "app/CInstallerApp.h"
#include "app/CModuleInfo.h"
#include "framework/LKeyboard.h"
#include "framework/LMouse.h"
#include "integration/CSystemFolders.h"
#include "platform/CPlatformInfo.h"
#include "resources/LResDefaultChain.h"

#include <commctrl.h>

#include <new>

namespace {

HINSTANCE g_instance = nullptr;
CModuleInfo* g_moduleInfo = nullptr;
CSystemFolders* g_systemFolders = nullptr;
LMouse* g_mouse = nullptr;
LKeyboard* g_keyboard = nullptr;
bool g_resourceChain = false;
CInstallerApp* g_application = nullptr;

template <class T>
void DeleteOnce(T*& pointer)
{
    T* object = pointer;
    pointer = nullptr;
    delete object;
}

// False when memory ran out for one of them.
bool CreateSingletons(CInstallerWindowFactory makeWindow)
{
    g_moduleInfo = new (std::nothrow) CModuleInfo(g_instance);
    if (!g_moduleInfo)
        return false;
    CModuleInfo::SetCurrent(g_moduleInfo);
    g_systemFolders = new (std::nothrow) CSystemFolders();
    if (!g_systemFolders)
        return false;
    CSystemFolders::SetCurrent(g_systemFolders);
    g_mouse = new (std::nothrow) LMouse();
    g_keyboard = new (std::nothrow) LKeyboard();
    g_resourceChain = LResDefaultChain::Create(g_instance) != nullptr;
    if (!g_mouse || !g_keyboard || !g_resourceChain)
        return false;
    g_application = new (std::nothrow) CInstallerApp(g_moduleInfo->OwnPath().Text(), makeWindow);
    return g_application != nullptr;
}

} // namespace

void ShutDownInstaller()
{
    DeleteOnce(g_application);
    if (g_resourceChain) {
        g_resourceChain = false;
        LResDefaultChain::Destroy();
    }
    DeleteOnce(g_keyboard);
    DeleteOnce(g_mouse);
    if (g_systemFolders)
        CSystemFolders::SetCurrent(nullptr);
    DeleteOnce(g_systemFolders);
    if (g_moduleInfo)
        CModuleInfo::SetCurrent(nullptr);
    DeleteOnce(g_moduleInfo);
}

int RunInstallerProcess(HINSTANCE instance, CInstallerWindowFactory makeWindow)
{
    g_instance = instance;
    CPlatformInfo::Current().Fill();
    InitCommonControls();

    // A running installer or uninstaller comes to the front instead.
    if (LApplication::FindRunningInstance(kInstallerWindowClass))
        return 0;

    if (CreateSingletons(makeWindow))
        g_application->RunInstaller();
    ShutDownInstaller();
    return 0;
}
