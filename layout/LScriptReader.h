#pragma once

#include "framework/LString.h"
#include "layout/LCharStream.h"

#include <cstdint>

// Turns the bytes of a script into tokens. Line ends read as ";", "#...#" is a macro body,
// a run of digits a number, letters, digits and "_" after a letter or "_" a name; the single
// characters % ( ) * + , - / ; = stand for themselves and every other byte is skipped.
class LScriptReader {
public:
    enum Kind {
        kEnd = 0,
        kNumber = 'n',
        kName = 'a',
        kBody = '#',
        // The single-character tokens use their own byte as their kind.
    };

    // Reads the next token from input; at the end of the text the token is kEnd.
    void Next(LCharStream& input);
    // Makes the current token kEnd without reading (the run is being stopped).
    void Stop() { m_kind = kEnd; }

    int Kind() const { return m_kind; }
    int32_t Number() const { return m_number; }
    // Text of the last name or macro body; other tokens leave it as it was.
    const LString& Text() const { return m_text; }

private:
    void ReadBody(LCharStream& input);

    int m_kind = kEnd;
    int32_t m_number = 0;
    LString m_text;
};
