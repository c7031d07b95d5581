// A window on the shared display, captured as the GUI tests capture theirs: proves that the
// display, the virtual desktop and the screenshot path work before any real window is tested.
#include "tests/support/Screenshot.h"
#include "tests/support/WindowWait.h"

#include <gtest/gtest.h>

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

TEST(GuiHarness, AWindowIsDrawnCapturedAndSaved)
{
    WNDCLASSA type = {};
    type.lpfnWndProc = RedWindowProc;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = "HarnessRedWindow";
    ASSERT_TRUE(RegisterClassA(&type));
    HWND window = CreateWindowExA(0, type.lpszClassName, "Harness", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                  300, 200, nullptr, nullptr, type.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    POINT centre = {150, 100};
    ClientToScreen(window, &centre);
    // The display shows the window's red once the drawing has reached it.
    uint32_t pixel = 0;
    testsupport::WaitUntil([&] {
        testsupport::PumpMessages();
        const testsupport::RgbImage screen = testsupport::CaptureScreen();
        pixel = screen.width > centre.x && screen.height > centre.y ? screen.Pixel(centre.x, centre.y) : 0;
        return pixel == 0xFF0000u;
    });
    EXPECT_EQ(pixel, 0xFF0000u);
    EXPECT_FALSE(testsupport::SaveScreenshot("harness-window", window).empty());
    DestroyWindow(window);
}
