#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes 8-bit RGB images as PNG files (stored deflate blocks, no compression library needed).
// Used by the Windows-side tests to keep screenshots as artefacts.
namespace testsupport {

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb; // width * height * 3 bytes, rows top to bottom

    uint32_t Pixel(int x, int y) const
    {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
    }
};

std::vector<uint8_t> EncodePng(const RgbImage& image);
bool WritePng(const std::string& path, const RgbImage& image);

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);

} // namespace testsupport
