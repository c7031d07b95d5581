#pragma once

#include "tests/support/WindowWait.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// Drives the installer's windows the way a user would, from a thread of its own, while the
// test's main thread sits in the modal loop under test. Everything goes through window
// messages: windows are found by class and title, buttons by their labels, keys are posted
// to the control that has the focus.
namespace uidriver {

using testsupport::WaitUntil;

// Runs `script` on its own thread; the destructor waits for it to end.
class DriverThread {
public:
    explicit DriverThread(std::function<void()> script) : m_thread(std::move(script)) {}
    DriverThread(const DriverThread&) = delete;
    DriverThread& operator=(const DriverThread&) = delete;
    ~DriverThread() { m_thread.join(); }

private:
    std::thread m_thread;
};

// Waits until a visible top-level window of the class and title exists (null matches any), of
// the process when one is given; that process's titles are read without messages.
HWND WaitForVisibleWindow(const char* className, const char* title, DWORD timeoutMs = 10000, DWORD processId = 0,
                          DWORD intervalMs = 20);
// The first child window (any depth) of the class whose text is `text`; null matches any.
HWND FindChild(HWND parent, const char* className, const char* text);
std::string WindowText(HWND window);
// What this test's user is to see: `english`, or for a Japanese user (primary language of the
// user locale Japanese) `japanese` in code page 932, as the windows hold their texts. Written
// as literals, so that a window that shows another language than the user's fails.
std::string Expected(const wchar_t* english, const wchar_t* japanese);
// The control that has the keyboard focus in `window`'s thread, or null.
HWND FocusOf(HWND window);

// Presses a button as a click would (BM_CLICK, answered by the button's own thread), then
// wakes the window's thread as the posted input of a real click does.
void Click(HWND button);
// Posts a key press and release to the control that has the focus in `window`, or to
// `window` itself when nothing has it.
void PressKey(HWND window, UINT virtualKey);
// Posts typed characters to `edit`.
void Type(HWND edit, const char* text);
// Posts the close-box command to a top-level window.
void CloseBox(HWND window);

// A hidden window of the thread that creates it; a driver thread proves with it that what it
// posted to that thread's windows has been handled, before it looks at what did or did not
// change.
class QueueMarker {
public:
    QueueMarker();
    QueueMarker(const QueueMarker&) = delete;
    QueueMarker& operator=(const QueueMarker&) = delete;
    ~QueueMarker();

    // From another thread, while the owner handles messages: posts a marker behind everything
    // posted so far and waits until it is handled, twice, so that messages made while handling
    // the first batch (the characters of posted keys) are handled too. False after the timeout.
    bool WaitUntilHandled(DWORD timeoutMs = 5000);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
    std::atomic<long> m_handled{0};
};

} // namespace uidriver
