// The regions built from region data: a region scaled onto another rectangle and the region of a
// bitmap. They live apart from LRegion.cpp so that a program that never builds one does not
// import GetRegionData, ExtCreateRegion and GetBitmapBits.
#include "framework/LRegion.h"

#include <cstdlib>

LRegion LRegion::Map(const RECT& from, const RECT& to) const
{
    const int fromW = from.right - from.left, fromH = from.bottom - from.top;
    const int toW = to.right - to.left, toH = to.bottom - to.top;
    if (fromW == toW && fromH == toH)
        return Offset(to.left - from.left, to.top - from.top);
    LRegion atOrigin = Offset(-from.left, -from.top);
    if (!atOrigin.Handle())
        return Empty();
    const DWORD size = GetRegionData(atOrigin.Handle(), 0, nullptr);
    if (size == 0)
        return Empty();
    RGNDATA* data = static_cast<RGNDATA*>(std::malloc(size));
    if (!data)
        return Empty();
    LRegion result;
    if (GetRegionData(atOrigin.Handle(), size, data) == size) {
        XFORM xform = {};
        xform.eM11 = fromW > 0 ? static_cast<FLOAT>(toW) / fromW : 0.0f;
        xform.eM22 = fromH > 0 ? static_cast<FLOAT>(toH) / fromH : 0.0f;
        xform.eDx = static_cast<FLOAT>(to.left);
        xform.eDy = static_cast<FLOAT>(to.top);
        result = Adopt(ExtCreateRegion(&xform, size, data));
    }
    std::free(data);
    return result.Handle() ? result : Empty();
}

LRegion LRegion::FromBitmap(HBITMAP bitmap)
{
    BITMAP info = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0 ||
        info.bmBitsPixel != 1 || info.bmPlanes != 1)
        return Empty();
    const LONG stride = info.bmWidthBytes;
    const LONG bytes = stride * info.bmHeight;
    unsigned char* bits = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(bytes)));
    if (!bits || GetBitmapBits(bitmap, bytes, bits) != bytes) {
        std::free(bits);
        return Empty();
    }

    // Rectangles collected in a buffer behind the region header, grown in steps of 4096 bytes.
    const size_t header = sizeof(RGNDATAHEADER);
    size_t capacity = 4096;
    unsigned char* buffer = static_cast<unsigned char*>(std::malloc(capacity));
    if (!buffer) {
        std::free(bits);
        return Empty();
    }
    size_t count = 0;
    size_t previousRowFirst = 0, previousRowCount = 0;
    auto rects = [&]() { return reinterpret_cast<RECT*>(buffer + header); };
    bool failed = false;
    for (LONG y = 0; y < info.bmHeight && !failed; ++y) {
        const unsigned char* row = bits + static_cast<size_t>(y) * stride;
        const size_t rowFirst = count;
        LONG x = 0;
        while (x < info.bmWidth) {
            while (x < info.bmWidth && !(row[x >> 3] & (0x80 >> (x & 7))))
                ++x;
            if (x >= info.bmWidth)
                break;
            const LONG start = x;
            while (x < info.bmWidth && (row[x >> 3] & (0x80 >> (x & 7))))
                ++x;
            if (header + (count + 1) * sizeof(RECT) > capacity) {
                unsigned char* grown = static_cast<unsigned char*>(std::realloc(buffer, capacity + 4096));
                if (!grown) {
                    failed = true;
                    break;
                }
                buffer = grown;
                capacity += 4096;
            }
            RECT run = {start, y, x, y + 1};
            rects()[count++] = run;
        }
        // A row with exactly the runs of the row above extends those rectangles downwards.
        const size_t rowCount = count - rowFirst;
        if (!failed && rowCount && rowCount == previousRowCount &&
            rects()[previousRowFirst].bottom == y) {
            bool same = true;
            for (size_t i = 0; i < rowCount && same; ++i)
                same = rects()[previousRowFirst + i].left == rects()[rowFirst + i].left &&
                       rects()[previousRowFirst + i].right == rects()[rowFirst + i].right;
            if (same) {
                for (size_t i = 0; i < rowCount; ++i)
                    rects()[previousRowFirst + i].bottom = y + 1;
                count = rowFirst;
                continue;
            }
        }
        previousRowFirst = rowFirst;
        previousRowCount = rowCount;
    }
    LRegion result;
    if (!failed && count) {
        RGNDATAHEADER* head = reinterpret_cast<RGNDATAHEADER*>(buffer);
        head->dwSize = sizeof(RGNDATAHEADER);
        head->iType = RDH_RECTANGLES;
        head->nCount = static_cast<DWORD>(count);
        head->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        head->rcBound = RECT{0, 0, info.bmWidth, info.bmHeight};
        result = Adopt(ExtCreateRegion(nullptr, static_cast<DWORD>(header + count * sizeof(RECT)),
                                       reinterpret_cast<RGNDATA*>(buffer)));
    }
    std::free(buffer);
    std::free(bits);
    return result.Handle() ? result : Empty();
}

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(RGNDATAHEADER) == 32, "region data header is 32 bytes");
#endif
