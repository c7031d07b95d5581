#include "layout/LScriptReader.h"

#include "layout/LScriptChars.h"

#include <new>

namespace {

bool IsSingle(int c)
{
    switch (c) {
    case '%': case '(': case ')': case '*': case '+': case ',': case '-': case '/': case ';': case '=':
        return true;
    default:
        return false;
    }
}

} // namespace

void LScriptReader::Next(LCharStream& input)
{
    for (;;) {
        int c = input.Read();
        if (c == LCharStream::kEnd) {
            m_kind = kEnd;
            return;
        }
        if (c == '\n' || c == '\r') {
            m_kind = ';';
            return;
        }
        if (IsSingle(c)) {
            m_kind = c;
            return;
        }
        if (c == '#') {
            ReadBody(input);
            m_kind = kBody;
            return;
        }
        if (IsScriptDigit(c)) {
            // Built unsigned so that long numbers wrap like the rest of the arithmetic.
            uint32_t value = 0;
            while (IsScriptDigit(c)) {
                value = value * 10u + static_cast<uint32_t>(c - '0');
                c = input.Read();
            }
            if (c != LCharStream::kEnd)
                input.Back();
            m_number = static_cast<int32_t>(value);
            m_kind = kNumber;
            return;
        }
        if (IsScriptLetter(c)) {
            size_t start = input.Position() - 1;
            while (IsScriptWordByte(c))
                c = input.Read();
            if (c != LCharStream::kEnd)
                input.Back();
            m_text = LString(input.At(start), input.Position() - start);
            m_kind = kName;
            return;
        }
        // Anything else (blanks, punctuation, bytes from 0x80) separates tokens and is dropped.
    }
}

void LScriptReader::ReadBody(LCharStream& input)
{
    size_t start = input.Position();
    int c = input.Read();
    while (c != LCharStream::kEnd && c != '#')
        c = input.Read();
    size_t length = input.Position() - start - (c == '#' ? 1 : 0);
    // A NUL byte would cut the stored text short; as a blank it reads exactly the same, since
    // both are skipped between tokens.
    char* copy = new (std::nothrow) char[length + 1];
    if (!copy) {
        m_text = LString();
        return;
    }
    const char* bytes = input.At(start);
    for (size_t i = 0; i < length; ++i)
        copy[i] = bytes[i] ? bytes[i] : ' ';
    copy[length] = '\0';
    m_text = LString(copy, length);
    delete[] copy;
}
