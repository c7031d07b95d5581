#pragma once

#include "framework/LPtrArray.h"
#include "framework/LString.h"

// An ordered list of text lines that owns its lines (the registry, shortcut and INF lines of
// the installation description).
class CTextLines {
public:
    CTextLines() = default;
    CTextLines(const CTextLines&) = delete;
    CTextLines& operator=(const CTextLines&) = delete;
    ~CTextLines() { Clear(); }

    int Count() const { return m_lines.Count(); }
    bool IsEmpty() const { return m_lines.IsEmpty(); }
    // The line at index; the empty text outside the list.
    const LString& At(int index) const;

    // False when memory ran out; the list then stays as it was.
    bool Append(const LString& line);
    void Clear();

private:
    LPtrArray<LString> m_lines;
};
