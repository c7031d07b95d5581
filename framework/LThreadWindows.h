#pragma once

#include <windows.h>

class LWindow;

// The thread-window services: queries over this thread's framework windows, attaching native
// windows to framework windows, and showing, hiding and enabling windows by layer (higher
// kinds above lower ones; a visible modal window disables every window below it).
class LThreadWindows {
public:
    // First visible framework window of exactly this kind, in z-order.
    static LWindow* FirstVisible(int kind);
    // The active window when it is a framework window of this thread.
    static LWindow* Active();
    // The next visible framework window of this thread below `window` (from the top for null).
    static LWindow* NextVisibleBelow(LWindow* window);
    static RECT WorkArea();

    // Creates the window's native window through its definition and stores the framework
    // window in its user data; returns the handle or null.
    static HWND CreateAndAttach(LWindow* window, HWND parent);
    // Removes the menu, clears the user data and destroys the native window.
    static void Detach(LWindow* window, HWND handle);

    static void Show(LWindow* window);
    static void ShowNoActivate(LWindow* window);
    static void Hide(LWindow* window);
    // Hides the window and deletes the window object.
    static void Close(LWindow* window);
    // Enables the thread's framework windows in z-order, disabling all below a visible modal
    // window; `excluded` is left alone.
    static void ReEnable(LWindow* excluded = nullptr);
};
