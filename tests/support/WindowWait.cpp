#include "tests/support/WindowWait.h"

namespace testsupport {

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount();; Sleep(20)) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
    }
}

} // namespace testsupport
