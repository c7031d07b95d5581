#include "tests/support/Screenshot.h"

#include "tests/support/TestArtifacts.h"

namespace testsupport {

namespace {

RgbImage CaptureRect(const RECT& rect)
{
    RgbImage image;
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        return image;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        image.width = width;
        image.height = height;
        image.rgb.resize(size_t(width) * size_t(height) * 3);
        const uint8_t* src = static_cast<const uint8_t*>(bits);
        for (size_t i = 0; i < size_t(width) * size_t(height); ++i) {
            image.rgb[i * 3 + 0] = src[i * 4 + 2];
            image.rgb[i * 3 + 1] = src[i * 4 + 1];
            image.rgb[i * 3 + 2] = src[i * 4 + 0];
        }
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

} // namespace

RgbImage CaptureScreen()
{
    RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureRect(rect);
}

RgbImage CaptureWindow(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return CaptureRect(rect);
}

std::string SaveScreenshot(const std::string& name, HWND window)
{
    // Whatever is still to be painted is painted first; for a window of another thread the
    // paint messages are sent, so the picture waits for them.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RgbImage image = window ? CaptureWindow(window) : CaptureScreen();
    if (image.width == 0)
        return "";
    std::string path = ArtifactPath(name + ".png");
    return WritePng(path, image) ? path : "";
}

} // namespace testsupport
