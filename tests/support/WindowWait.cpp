#include "tests/support/WindowWait.h"

namespace testsupport {

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
