#include "tests/ui/UiFixture.h"

#include "resources/LResDefaultChain.h"
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

int UiFixture::Driven(const std::function<int()>& run, const std::function<void(HWND)>& answer, int tries)
{
    std::atomic<bool> returned{false}, driverDone{false};
    bool found = false, ended = false;
    int result = -1;
    {
        uidriver::DriverThread driver([&] {
            HWND window = uidriver::WaitForVisibleWindow("LDIALOGDEFDATA", nullptr);
            found = window != nullptr;
            for (int attempt = 0; found && !ended && attempt < tries; ++attempt) {
                answer(window);
                ended = uidriver::WaitUntil([&] { return returned.load(); }, 8000 / tries);
            }
            if (found && !ended)
                uidriver::CloseBox(window);
            driverDone = true;
        });
        result = run();
        returned = true;
        // The driver may still be inside a message sent to this thread.
        PumpUntil([&] { return driverDone.load(); }, 20000);
    }
    EXPECT_TRUE(found) << "no dialog was shown";
    EXPECT_TRUE(ended) << "the dialog did not end by the driver's answer";
    return result;
}
