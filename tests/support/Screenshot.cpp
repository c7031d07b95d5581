#include "tests/support/Screenshot.h"

#include "package/Crc32.h"
#include "tests/support/WindowWait.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace testsupport {

namespace {

// An 8-bit RGB picture, rows top to bottom.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

RgbImage Capture(const RECT& rect)
{
    RgbImage image;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
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
        const size_t pixels = size_t(width) * size_t(height);
        image.rgb.resize(pixels * 3);
        const uint8_t* bgrx = static_cast<const uint8_t*>(bits);
        for (size_t i = 0; i < pixels; ++i) {
            image.rgb[i * 3 + 0] = bgrx[i * 4 + 2];
            image.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
            image.rgb[i * 3 + 2] = bgrx[i * 4 + 0];
        }
        SelectObject(memory, old);
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

void PutBe32(std::vector<uint8_t>& out, uint32_t v)
{
    out.insert(out.end(), {uint8_t(v >> 24), uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)});
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body)
{
    PutBe32(out, uint32_t(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    PutBe32(out, Crc32(0, &out[start], out.size() - start));
}

// A PNG of stored (uncompressed) deflate blocks: no compression library needed.
std::vector<uint8_t> EncodePng(const RgbImage& image)
{
    std::vector<uint8_t> raw;
    const size_t stride = size_t(image.width) * 3;
    for (int y = 0; y < image.height; ++y) {
        raw.push_back(0); // no filter
        raw.insert(raw.end(), image.rgb.begin() + long(y * stride), image.rgb.begin() + long((y + 1) * stride));
    }
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t pos = 0; pos < raw.size();) {
        const size_t n = raw.size() - pos < 65535 ? raw.size() - pos : 65535;
        z.insert(z.end(), {uint8_t(pos + n == raw.size()), uint8_t(n), uint8_t(n >> 8), uint8_t(~n), uint8_t(~n >> 8)});
        z.insert(z.end(), raw.begin() + long(pos), raw.begin() + long(pos + n));
        pos += n;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBe32(z, (b << 16) | a);

    std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    PutBe32(header, uint32_t(image.width));
    PutBe32(header, uint32_t(image.height));
    header.insert(header.end(), {8, 2, 0, 0, 0}); // 8-bit RGB, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", z);
    PutChunk(png, "IEND", {});
    return png;
}

std::string ArtifactsDir()
{
    char buffer[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("INSTALLER_ARTIFACTS", buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) {
        CreateDirectoryA(buffer, nullptr);
        return buffer;
    }
    n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer) : std::string(".");
}

} // namespace

std::string SaveScreenshot(const std::string& name, HWND window)
{
    // For a window of another thread the paint messages are sent, so the picture waits for them.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window)
        GetWindowRect(window, &rect);
    // Every byte equal to the one three bytes on: one colour, nothing shown (yet: a window of
    // another process that has just appeared may still be painting).
    RgbImage image;
    auto blank = [&] { return image.rgb.size() < 6 || std::equal(image.rgb.begin() + 3, image.rgb.end(), image.rgb.begin()); };
    WaitUntil([&] { return image = Capture(rect), !blank(); }, 2000);
    const std::vector<uint8_t> png = EncodePng(image);
    const std::string path = ArtifactsDir() + "\\" + name + ".png";
    FILE* file = blank() ? nullptr : std::fopen(path.c_str(), "wb");
    if (!file)
        return "";
    const bool written = std::fwrite(png.data(), 1, png.size(), file) == png.size();
    return std::fclose(file) == 0 && written ? path : "";
}

} // namespace testsupport
