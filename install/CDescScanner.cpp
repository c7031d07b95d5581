#include "install/CDescScanner.h"

#include "platform/CTextBuilder.h"

namespace {

enum CharClass { kOther, kCR, kLF, kLess, kGreater, kClassCount };
enum Action { kNone, kEmit, kBreak };

struct Transition {
    CDescScanner::State next;
    Action action;
};

using S = CDescScanner::State;

// Rows: states; columns: other, CR, LF, '<', '>'.
const Transition kTable[CDescScanner::kStateCount][kClassCount] = {
    /* Outside  */ {{S::kOutside, kNone}, {S::kOutside, kNone}, {S::kOutside, kNone}, {S::kName, kNone}, {S::kOutside, kNone}},
    /* Name     */ {{S::kName, kEmit}, {S::kOutside, kNone}, {S::kOutside, kNone}, {S::kName, kEmit}, {S::kArgument, kNone}},
    /* Argument */ {{S::kArgument, kEmit}, {S::kAfterCR, kNone}, {S::kAfterLF, kNone}, {S::kArgument, kEmit}, {S::kArgument, kEmit}},
    /* Text     */ {{S::kText, kEmit}, {S::kAfterCR, kBreak}, {S::kAfterLF, kBreak}, {S::kText, kEmit}, {S::kText, kEmit}},
    /* AfterCR  */ {{S::kText, kEmit}, {S::kAfterCR, kBreak}, {S::kAfterLF, kNone}, {S::kName, kNone}, {S::kText, kEmit}},
    /* AfterLF  */ {{S::kText, kEmit}, {S::kAfterCR, kBreak}, {S::kAfterLF, kBreak}, {S::kName, kNone}, {S::kText, kEmit}},
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
        const Transition& step = kTable[m_state][ClassOf(c)];
        m_state = step.next;
        if (!(allowedStates & Bit(m_state)))
            return kStopped;
        if (step.action == kEmit) {
            if (output) {
                for (; pendingBreaks > 0; --pendingBreaks)
                    output->Append("\r\n", 2);
                output->AppendChar(c);
            }
            pendingBreaks = 0;
        } else if (step.action == kBreak) {
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
