#include "install/CDescScanner.h"

#include "platform/CTextBuilder.h"

namespace {

enum CharClass { kOther, kCR, kLF, kLess, kGreater, kClassCount };
enum Action { kNone, kEmit, kBreak };

using S = CDescScanner::State;

// A transition in one byte, the next state in the low nibble and the action above it: the
// table is an eighth of what it takes with two enums.
using Transition = unsigned char;

constexpr Transition Go(S next, Action action) { return static_cast<Transition>(next | action << 4); }

// Rows: states; columns: other, CR, LF, '<', '>'.
alignas(1) const Transition kTable[CDescScanner::kStateCount][kClassCount] = {
    /* Outside  */ {Go(S::kOutside, kNone), Go(S::kOutside, kNone), Go(S::kOutside, kNone), Go(S::kName, kNone), Go(S::kOutside, kNone)},
    /* Name     */ {Go(S::kName, kEmit), Go(S::kOutside, kNone), Go(S::kOutside, kNone), Go(S::kName, kEmit), Go(S::kArgument, kNone)},
    /* Argument */ {Go(S::kArgument, kEmit), Go(S::kAfterCR, kNone), Go(S::kAfterLF, kNone), Go(S::kArgument, kEmit), Go(S::kArgument, kEmit)},
    /* Text     */ {Go(S::kText, kEmit), Go(S::kAfterCR, kBreak), Go(S::kAfterLF, kBreak), Go(S::kText, kEmit), Go(S::kText, kEmit)},
    /* AfterCR  */ {Go(S::kText, kEmit), Go(S::kAfterCR, kBreak), Go(S::kAfterLF, kNone), Go(S::kName, kNone), Go(S::kText, kEmit)},
    /* AfterLF  */ {Go(S::kText, kEmit), Go(S::kAfterCR, kBreak), Go(S::kAfterLF, kBreak), Go(S::kName, kNone), Go(S::kText, kEmit)},
};

CharClass ClassOf(char c)
{
    switch (c) {
    case '\r': return kCR;
    case '\n': return kLF;
    case '<': return kLess;
    case '>': return kGreater;
    default: return kOther;
    }
}

} // namespace

CDescScanner::Result CDescScanner::Scan(unsigned allowedStates, CTextBuilder* output, bool collectBreaks)
{
    size_t pendingBreaks = 0;
    while (m_position < m_length) {
        char c = m_text[m_position++];
        const Transition step = kTable[m_state][ClassOf(c)];
        m_state = static_cast<State>(step & 15);
        if (!(allowedStates & Bit(m_state)))
            return kStopped;
        if (step >> 4 == kEmit) {
            if (output) {
                for (; pendingBreaks > 0; --pendingBreaks)
                    output->Append("\r\n", 2);
                output->AppendChar(c);
            }
            pendingBreaks = 0;
        } else if (step >> 4 == kBreak) {
            if (!collectBreaks)
                return kStopped;
            ++pendingBreaks;
        }
    }
    return kEndOfText;
}

bool CDescScanner::NextKey(CTextBuilder& key)
{
    while (m_state != kName) {
        if (Scan(Bit(m_state), nullptr, false) == kEndOfText)
            return false;
    }
    Scan(Bit(kName), &key, false);
    return true;
}

void CDescScanner::Argument(CTextBuilder* argument)
{
    if (m_state == kArgument)
        Scan(Bit(kArgument), argument, false);
}

void CDescScanner::ReadValue(CTextBuilder& output, bool collectBreaks)
{
    Argument(nullptr);
    if (m_state == kText || m_state == kAfterCR || m_state == kAfterLF)
        Scan(Bit(kText) | Bit(kAfterCR) | Bit(kAfterLF), &output, collectBreaks);
}

void CDescScanner::OneLine(CTextBuilder& line)
{
    ReadValue(line, false);
}

void CDescScanner::SeveralLines(CTextBuilder& lines)
{
    ReadValue(lines, true);
}
