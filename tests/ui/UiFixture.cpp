#include "tests/ui/UiFixture.h"

#include "resources/LResDefaultChain.h"
#include "tests/ui/UiDriver.h"
#include "ui/CScriptLayoutEngine.h"

#include <commctrl.h>

#include <atomic>

UiFixture::UiFixture()
{
    InitCommonControls();
    LResDefaultChain::Create(GetModuleHandleA(nullptr));
    m_standIn = CScriptLayoutEngine::Instance() == nullptr;
    if (m_standIn)
        CLayoutRunner::SetEngine(&stack);
}

UiFixture::~UiFixture()
{
    Pump();
    CLayoutRunner::SetEngine(nullptr);
    LResDefaultChain::Destroy();
}

void UiFixture::Pump(int rounds)
{
    for (int round = 0; round < rounds; ++round) {
        MSG peek;
        while (PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE))
            app.PumpOne();
        Sleep(5);
    }
}

void UiFixture::ClickWhilePumping(HWND control)
{
    std::atomic<bool> done{false};
    {
        uidriver::DriverThread driver([&] {
            uidriver::Click(control);
            done = true;
        });
        const DWORD start = GetTickCount();
        while (!done && GetTickCount() - start < 10000)
            Pump(1);
    }
    Pump();
}
