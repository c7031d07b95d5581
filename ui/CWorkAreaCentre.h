#pragma once

#include <windows.h>

// Moves window rectangles so that their centre is the centre of the platform's work area
// (the screen without the task bar): each centre is the sum of the two edges divided by 2.
class CWorkAreaCentre {
public:
    // `rect` moved onto the centre of `area`, its size unchanged.
    static RECT Centred(const RECT& rect, const RECT& area);
};
