#include "tests/ui/UiDriver.h"

#include <vector>

namespace uidriver {

DriverThread::DriverThread(std::function<void()> script) : m_thread(std::move(script))
{
}

DriverThread::~DriverThread()
{
    if (m_thread.joinable())
        m_thread.join();
}

namespace {

struct Search {
    const char* className;
    const char* title;
    HWND found;
};

bool Matches(HWND window, const char* className, const char* text)
{
    if (className) {
        char name[128] = {};
        GetClassNameA(window, name, sizeof(name));
        if (lstrcmpiA(name, className) != 0)
            return false;
    }
    return !text || WindowText(window) == text;
}

BOOL CALLBACK FindVisibleTop(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    if (IsWindowVisible(window) && Matches(window, search->className, search->title)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindChildProc(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    if (Matches(window, search->className, search->title)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND WaitForVisibleWindow(const char* className, const char* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] {
        Search search = {className, title, nullptr};
        EnumWindows(FindVisibleTop, reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr;
    }, timeoutMs);
    return found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(20);
    }
}

HWND FindChild(HWND parent, const char* className, const char* text)
{
    Search search = {className, text, nullptr};
    EnumChildWindows(parent, FindChildProc, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindChildById(HWND parent, int id)
{
    return GetDlgItem(parent, id);
}

std::string WindowText(HWND window)
{
    // WM_GETTEXT through SendMessage works across threads for every window class.
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

void Click(HWND button)
{
    SendMessageA(button, BM_CLICK, 0, 0);
    // A real click arrives as posted input, which ends the receiver's wait for a message; a
    // sent BM_CLICK is handled inside that wait and does not end it, so a modal loop would
    // not look at its result until something else arrived.
    PostMessageA(GetAncestor(button, GA_ROOT), WM_NULL, 0, 0);
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

void PressKey(HWND window, UINT virtualKey)
{
    // Keys go to the control with the focus in the active window, as they would from the
    // keyboard; a window that has only just been shown may not be active, or have given a
    // control the focus, yet.
    WaitUntil([window] { return GetForegroundWindow() == window && FocusOf(window); }, 2000);
    HWND target = FocusOf(window);
    if (!target)
        target = window;
    // As the keyboard would: key down and key up; the receiver's own TranslateMessage makes
    // the character.
    UINT scan = MapVirtualKeyA(virtualKey, 0);
    PostMessageA(target, WM_KEYDOWN, virtualKey, LPARAM(1 | (scan << 16)));
    PostMessageA(target, WM_KEYUP, virtualKey, LPARAM(1 | (scan << 16) | (3u << 30)));
}

void Type(HWND edit, const char* text)
{
    for (const char* p = text; *p; ++p)
        PostMessageA(edit, WM_CHAR, WPARAM(BYTE(*p)), 1);
}

void CloseBox(HWND window)
{
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

bool AnsweredUntilEnded(HWND window, const std::atomic<bool>& returned, const std::function<void(HWND)>& answer)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        answer(window);
        if (WaitUntil([&returned] { return returned.load(); }, 1000))
            return true;
    }
    CloseBox(window);
    return false;
}

bool EndedOrClosed(HWND window, const std::atomic<bool>& returned, DWORD timeoutMs)
{
    if (WaitUntil([&returned] { return returned.load(); }, timeoutMs))
        return true;
    CloseBox(window);
    return false;
}

namespace {
const char* const kMarkerClass = "UiDriverQueueMarker";
const UINT kMarker = WM_APP + 0x51;
} // namespace

QueueMarker::QueueMarker()
{
    WNDCLASSA type = {};
    type.lpfnWndProc = &QueueMarker::Procedure;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = kMarkerClass;
    RegisterClassA(&type); // fails harmlessly when a marker registered it before
    m_window = CreateWindowA(kMarkerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, type.hInstance, nullptr);
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

QueueMarker::~QueueMarker()
{
    if (m_window)
        DestroyWindow(m_window);
}

LRESULT CALLBACK QueueMarker::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kMarker) {
        if (auto* marker = reinterpret_cast<QueueMarker*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
            ++marker->m_handled;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool QueueMarker::WaitUntilHandled(DWORD timeoutMs)
{
    for (int round = 0; round < 2; ++round) {
        const long target = m_handled + 1;
        if (!m_window || !PostMessageA(m_window, kMarker, 0, 0))
            return false;
        if (!WaitUntil([&] { return m_handled >= target; }, timeoutMs))
            return false;
    }
    return true;
}

} // namespace uidriver
