#include "tests/ui/UiFixture.h"

#include "resources/LResDefaultChain.h"
#include "ui/CScriptLayoutEngine.h"

#include <commctrl.h>

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
