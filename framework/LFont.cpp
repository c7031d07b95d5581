#include "framework/LFont.h"

#include <cstring>

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(NONCLIENTMETRICSA) == 340, "NONCLIENTMETRICSA is 340 bytes");
#endif

namespace {

LList& LiveFonts()
{
    static LList list;
    return list;
}

} // namespace

LFont::Rep::~Rep()
{
    LiveFonts().Remove(this);
    if (font)
        DeleteObject(font);
}

LOGFONTA LFont::SystemMessageFont()
{
    static bool read = false;
    static LOGFONTA font;
    if (!read) {
        NONCLIENTMETRICSA metrics;
        std::memset(&metrics, 0, sizeof(metrics));
        metrics.cbSize = sizeof(metrics);
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
            font = metrics.lfMessageFont;
        else
            GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        read = true;
    }
    return font;
}

LFont LFont::Get(int base, int weight, int italic, int size, const LString& face)
{
    for (LListNode* node = LiveFonts().First(); node; node = LiveFonts().Next(node)) {
        Rep* rep = static_cast<Rep*>(node);
        if (rep->base == base && rep->weight == weight && rep->italic == italic && rep->size == size &&
            (base != -1 || rep->face == face)) {
            LFont shared;
            ++rep->refs;
            shared.m_rep = LShared<Rep>(rep);
            return shared;
        }
    }
    LFont result;
    Rep* rep = new (std::nothrow) Rep;
    if (!rep)
        return result;
    rep->base = base;
    rep->weight = weight;
    rep->italic = italic;
    rep->size = size;
    rep->face = face;
    LiveFonts().Append(rep);
    result.m_rep = LShared<Rep>(rep);
    return result;
}

LOGFONTA LFont::LogFont() const
{
    LOGFONTA font = SystemMessageFont();
    const Rep* rep = m_rep.Get();
    if (!rep)
        return font;
    if (rep->base == -1) {
        std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
        const size_t length = rep->face.Length();
        const size_t most = sizeof(font.lfFaceName) - 1;
        std::memcpy(font.lfFaceName, rep->face.Text(), length < most ? length : most);
        font.lfPitchAndFamily = 0;
    } else if (rep->base == 3) {
        std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
        font.lfPitchAndFamily = FIXED_PITCH;
    }
    if (rep->weight == 1)
        font.lfWeight = FW_NORMAL;
    else if (rep->weight == 2)
        font.lfWeight = FW_BOLD;
    if (rep->italic == 1)
        font.lfItalic = 0;
    else if (rep->italic == 2)
        font.lfItalic = 1;
    if (rep->size >= 0) {
        font.lfHeight = ScaleSize(font.lfHeight, rep->size);
        font.lfWidth = ScaleSize(font.lfWidth, rep->size);
    }
    return font;
}

HFONT LFont::Handle() const
{
    Rep* rep = m_rep.Get();
    if (!rep)
        return nullptr;
    if (!rep->font && !rep->tried) {
        rep->tried = true;
        LOGFONTA font = LogFont();
        rep->font = CreateFontIndirectA(&font);
    }
    return rep->font;
}

HGDIOBJ LFont::Select(HDC dc) const
{
    HFONT font = Handle();
    return SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
}

int LFont::LineHeight(HDC dc) const
{
    if (!dc)
        return 0;
    HGDIOBJ old = Select(dc);
    TEXTMETRICA metrics;
    const int height = GetTextMetricsA(dc, &metrics) ? metrics.tmHeight + metrics.tmExternalLeading : 0;
    SelectObject(dc, old);
    return height;
}

int LFont::Ascent(HDC dc) const
{
    if (!dc)
        return 0;
    HGDIOBJ old = Select(dc);
    TEXTMETRICA metrics;
    const int ascent = GetTextMetricsA(dc, &metrics) ? metrics.tmAscent : 0;
    SelectObject(dc, old);
    return ascent;
}

int LFont::TextWidth(HDC dc, const char* text, int length) const
{
    if (!dc || !text)
        return 0;
    if (length < 0)
        length = static_cast<int>(std::strlen(text));
    if (length == 0)
        return 0;
    HGDIOBJ old = Select(dc);
    SIZE size = {0, 0};
    const int width = GetTextExtentPoint32A(dc, text, length, &size) ? size.cx : 0;
    SelectObject(dc, old);
    return width;
}
