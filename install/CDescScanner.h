#pragma once

#include <cstddef>

class CTextBuilder;

// Reads the installation description character by character through a small state machine,
// so that tags, tag arguments and value lines are told apart with one table. Line ends are CR,
// LF or CR LF; a '<' starts a tag only at the start of a line.
class CDescScanner {
public:
    enum State { kOutside, kName, kArgument, kText, kAfterCR, kAfterLF, kStateCount };

    CDescScanner(const char* text, size_t length) : m_text(text), m_length(length) {}

    State CurrentState() const { return m_state; }
    // The offset of the next character to be read.
    size_t Position() const { return m_position; }

    // The next tag's key into `key`; false at the end of the text. A key cut by a line end
    // yields what was read, with the scanner back outside.
    bool NextKey(CTextBuilder& key);
    // The rest of the tag line, if the scanner is on it.
    void Argument(CTextBuilder* argument);
    // The first line of the value (empty when there is none).
    void OneLine(CTextBuilder& line);
    // The whole value up to the next tag line, inner line breaks as CR LF, trailing ones dropped.
    void SeveralLines(CTextBuilder& lines);

private:
    enum Result { kEndOfText, kStopped };
    static unsigned Bit(State state) { return 1u << state; }

    Result Scan(unsigned allowedStates, CTextBuilder* output, bool collectBreaks);
    void ReadValue(CTextBuilder& output, bool collectBreaks);

    const char* m_text;
    size_t m_length;
    size_t m_position = 0;
    State m_state = kOutside;
};
