#pragma once

#include "framework/LHandler.h"

#include <windows.h>

// A raw window message as a window procedure received it; the param of "LWinMsg_Msg".
class LWinMsg : public LHandler {
public:
    LWinMsg(HWND aWindow, UINT aMessage, WPARAM aWParam, LPARAM aLParam)
        : LHandler(nullptr), window(aWindow), message(aMessage), wParam(aWParam), lParam(aLParam) {}
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    unsigned Notification() const { return HIWORD(wParam); }
};
