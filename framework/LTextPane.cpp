#include "framework/LTextPane.h"

#include "framework/LDrawContext.h"
#include "framework/LFrame.h"

LTextPane::LTextPane(LFrame* parent, int kind, const char* text, const LFont& font, int colourKind)
    : LPane(parent, parent), m_kind(kind)
{
    SetStateBits(kMouseInvisible);
    m_block.text = text;
    m_block.font = font;
    m_block.colour = LTextColor(colourKind);
    m_block.kind = kind;
}

void LTextPane::SetText(const char* text)
{
    if (m_block.text.Equals(text ? text : ""))
        return;
    m_block.text = text;
    // Text is drawn transparently: the old one must be erased, not drawn over.
    const LRegion area = LRegion::FromRect(Bounds());
    InvalidateRegion(area, area);
}

int LTextPane::PreferredWidth(int hint)
{
    LDrawContext context;
    GetDrawContext(context);
    HDC dc = context.DC();
    if (hint == -11)
        return 0;
    if (hint == -3)
        return m_block.font.TextWidth(dc, "M");
    if (hint == -2 || (hint == 0 && m_kind == 2))
        return m_block.WholeWidth(dc);
    return m_block.WidestLine(dc);
}

int LTextPane::PreferredHeight(int hint)
{
    LDrawContext context;
    GetDrawContext(context);
    HDC dc = context.DC();
    if (hint == -11)
        return 0;
    if (hint == -10)
        return m_block.font.Ascent(dc);
    const int line = m_block.font.LineHeight(dc);
    if (hint == -1 || (hint == 0 && m_kind == 0))
        return line;
    if (hint > 0 && m_kind == 2)
        return m_block.HeightForWidth(dc, hint);
    return line * m_block.LineCount();
}

void LTextPane::Draw(LDrawContext& context)
{
    m_block.rect = Bounds();
    m_block.Draw(context.DC());
}
