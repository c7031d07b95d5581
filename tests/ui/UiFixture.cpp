#include "tests/ui/UiFixture.h"

#include "resources/LResDefaultChain.h"
#include "resources/LStrList.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"

#include <commctrl.h>

#include <atomic>

UiFixture::UiFixture()
{
    InitCommonControls();
    LResDefaultChain::Create(GetModuleHandleA(nullptr));
}

UiFixture::~UiFixture()
{
    Pump();
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

void UiFixture::ExpectTextsOf(HWND window, const char* list, std::initializer_list<int> buttons, const char* shot)
{
    LStrList texts(list, LStrList::kStrings);
    const LString title = texts.Get(0);
    EXPECT_FALSE(title.IsEmpty()) << list;
    EXPECT_EQ(uidriver::WindowText(window), title.Text()) << list;
    for (int index : buttons) {
        const LString label = texts.Get(index);
        EXPECT_NE(uidriver::FindChild(window, "Button", label.Text()), nullptr) << list << " " << index;
    }
    testsupport::SaveScreenshot(shot, window);
}
