#include "tests/support/WindowWait.h"

namespace testsupport {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD intervalMs)
{
    for (DWORD start = GetTickCount();; Sleep(intervalMs)) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
    }
}

} // namespace testsupport
