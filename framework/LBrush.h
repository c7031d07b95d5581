#pragma once

#include "framework/LShared.h"

#include <windows.h>

// Shared brush: a grey level (0 to 4: black, dark grey, grey, light grey, white, as
// palette-relative colours) or a system colour by kind (0 window, 1 and 2 button face,
// 3 highlight, 4 dark 3D shadow), which follows changes of the system colour.
class LBrush {
public:
    LBrush() = default;
    static LBrush Grey(int level);
    static LBrush System(int kind);

    // The native brush, recreated first when a system colour changed. Null for "no brush".
    HBRUSH Handle() const;
    bool IsNull() const { return m_rep.IsNull(); }
    // Selects the brush (the stock black brush for none); returns the previous brush.
    HGDIOBJ Select(HDC dc) const;
    void Fill(HDC dc, const RECT& rect) const;

    static COLORREF GreyColour(int level);

private:
    struct Rep : LSharedRep {
        ~Rep() { if (brush) DeleteObject(brush); }
        HBRUSH brush = nullptr;
        int systemIndex = -1; // COLOR_ index for system-colour brushes
        COLORREF colour = 0;
    };
    LShared<Rep> m_rep;
};
