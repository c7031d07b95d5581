// The program's entry point, in place of the C runtime's start-up code. The installer uses
// none of what that code prepares (argument vectors, a console, floating-point errors turned
// into signals, fix-ups of data imported from DLLs, which the link forbids), and it brought
// some 9 KB into an image that every packed installer carries. What the program does need
// is done here: static objects are constructed before the run and the functions registered
// with atexit (destructors of local statics) run after it, latest first. The command line is
// not read; the exit code is always 0.
#include "app/StartUp.h"
#include "framework/LOwnModule.h"
#include "ui/CInstallerUi.h"

#include <windows.h>

#include <cstdlib>

// The constructors of static objects, listed by the linker between a -1 and a 0.
extern "C" void (*__CTOR_LIST__[])();

namespace {

// Runs them last first, as the runtime's own start-up does (whose version also brings its
// destructor list, data and unwind tables into the image).
void ConstructStatics()
{
    int count = 0;
    while (__CTOR_LIST__[count + 1])
        ++count;
    while (count > 0)
        __CTOR_LIST__[count--]();
}

constexpr int kMaxExitFunctions = 32;
void (*g_exitFunctions[kMaxExitFunctions])();
int g_exitFunctionCount = 0;

} // namespace

extern "C" int __cdecl atexit(void(__cdecl* function)())
{
    if (g_exitFunctionCount == kMaxExitFunctions)
        return -1;
    g_exitFunctions[g_exitFunctionCount++] = function;
    return 0;
}

extern "C" void ProgramEntry()
{
    ConstructStatics();
    const int code = RunInstallerProcess(LOwnModule(), &CInstallerUi::Make);
    while (g_exitFunctionCount > 0)
        g_exitFunctions[--g_exitFunctionCount]();
    ExitProcess(static_cast<UINT>(code));
}
