#pragma once

#include <windows.h>

// The window procedures of framework windows (falling back to DefWindowProcA) and framework
// dialogs (falling back to DefDlgProcA). Both turn native messages into framework messages for
// the window's frame and the capturing pane, and keep the activation rules of floating and
// modal windows.
LRESULT CALLBACK LFrameworkWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK LDialogWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class LWindowProc {
public:
    // The shared part: returns non-zero when it handled the message (the procedure then returns
    // *result), zero when the default procedure is to run.
    static int HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Set before "LWindow_Context" is sent; the application clears it when the context click
    // reaches it unconsumed, so that default processing runs.
    static void SetContextHandled(int value);
    static int ContextHandled();

    static const UINT kActivationNotice = WM_USER + 1;
};
