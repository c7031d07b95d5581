#pragma once

#include "framework/LPane.h"
#include "framework/LTextBlock.h"

// A text drawn by the framework: kind 0 one line, 1 several lines, 2 word-wrapping. Invisible
// to the mouse, so clicks reach what lies below.
class LTextPane : public LPane {
public:
    LTextPane(LFrame* parent, int kind, const char* text, const LFont& font, int colourKind = 0);

    int PreferredWidth(int hint) override;
    int PreferredHeight(int hint) override;
    void Draw(LDrawContext& context) override;

    void SetText(const char* text);
    const LString& Text() const { return m_block.text; }
    LTextBlock& Block() { return m_block; }

private:
    int m_kind;
    LTextBlock m_block;
};
