// A window on the shared display, captured as the GUI tests capture theirs: proves that the
// display, the virtual desktop and the screenshot path work before any real window is tested.
#include "tests/support/Screenshot.h"
#include "tests/support/TestArtifacts.h"
#include "tests/support/WindowWait.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

LRESULT CALLBACK RedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        RECT rect;
        GetClientRect(window, &rect);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(wParam), &rect, red);
        DeleteObject(red);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

TEST(GuiHarness, AWindowIsDrawnAndCaptured)
{
    ASSERT_TRUE(testsupport::IsGuiRun()) << "GUI tests run through the launcher's --gui mode";

    WNDCLASSA wc = {};
    wc.lpfnWndProc = RedWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HarnessRedWindow";
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND window = CreateWindowExA(0, "HarnessRedWindow", "Harness", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  100, 100, 300, 200, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    EXPECT_EQ(testsupport::WaitForWindow("HarnessRedWindow", "Harness", 2000), window);

    RECT client;
    GetClientRect(window, &client);
    POINT centre = {client.right / 2, client.bottom / 2};
    ClientToScreen(window, &centre);
    // The display shows the window's red once the drawing has reached it.
    uint32_t pixel = 0;
    for (DWORD start = GetTickCount(); pixel != 0xFF0000u && GetTickCount() - start < 5000;) {
        testsupport::PumpFor(20);
        testsupport::RgbImage screen = testsupport::CaptureScreen();
        ASSERT_GT(screen.width, centre.x);
        ASSERT_GT(screen.height, centre.y);
        pixel = screen.Pixel(centre.x, centre.y);
    }
    EXPECT_EQ(pixel, 0xFF0000u);

    EXPECT_FALSE(testsupport::SaveScreenshot("harness-window").empty());
    DestroyWindow(window);
    EXPECT_TRUE(testsupport::WaitForWindowGone(window, 2000));
}
