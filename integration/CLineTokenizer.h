#pragma once

#include "framework/LString.h"

#include <cstddef>

// Reads the fields of one description line (registry, shortcut and INF lines). A token is
// either quoted, with '"' or an apostrophe, running to the same quote character or the end of
// the line, or a word running to the next white space. The reader never passes a carriage
// return or line feed, so a list line that still carries its line end reads as that line only.
class CLineTokenizer {
public:
    CLineTokenizer(const char* text, size_t length);
    // Reads the text in place: it must outlive the reader, so a temporary is refused.
    explicit CLineTokenizer(const LString& text) : CLineTokenizer(text.Text(), text.Length()) {}
    explicit CLineTokenizer(LString&&) = delete;

    // The next token; empty at the end of the line.
    LString NextToken();
    // Skips spaces, tabs, vertical tabs and form feeds.
    void SkipBlanks();
    // Everything up to the end of the line, untrimmed.
    LString RestOfLine();

    // Where the reader stands in the text.
    const char* Position() const { return m_at; }

    static bool IsWhiteSpace(char c);
    static bool IsBlank(char c);

private:
    bool AtLineEnd() const;

    const char* m_at;
    const char* m_end;
};
