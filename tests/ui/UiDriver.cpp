#include "tests/ui/UiDriver.h"

namespace uidriver {

namespace {

struct Search {
    const char* className;
    const char* text;
    bool visibleOnly;
    HWND found;
    DWORD processId; // 0: any
};

// Whether the window is the one looked for; `ofClass` when its class is known to match.
bool IsWanted(HWND window, const Search& search, bool ofClass)
{
    // The owner first: the other processes' windows, most of them, cost no further question.
    DWORD owner = 0;
    if (search.processId && (GetWindowThreadProcessId(window, &owner), owner != search.processId))
        return false;
    if (search.visibleOnly && !IsWindowVisible(window))
        return false;
    char name[128] = {};
    if (!ofClass && search.className && (GetClassNameA(window, name, sizeof(name)), lstrcmpiA(name, search.className)))
        return false;
    if (!search.text)
        return true;
    // Another process's windows are read without messages: its thread may be held still.
    char text[1024] = {};
    if (search.processId)
        GetWindowTextA(window, text, sizeof(text));
    return (search.processId ? std::string(text) : WindowText(window)) == search.text;
}

BOOL CALLBACK Matches(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    if (!IsWanted(window, *search, false))
        return TRUE;
    search->found = window;
    return FALSE;
}

// One look. Given a class, the window manager lists that class's windows itself: asking about
// every window of the desktop took some thirty questions of the server, and a driver that
// looks often (the timing one) slowed down the installer it timed.
HWND FindVisible(Search& search)
{
    if (!search.className) {
        EnumWindows(Matches, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, search.className, nullptr)) != nullptr;)
        if (IsWanted(window, search, true))
            return search.found = window;
    return nullptr;
}

} // namespace

HWND WaitForVisibleWindow(const char* className, const char* title, DWORD timeoutMs, DWORD processId, DWORD intervalMs)
{
    Search search = {className, title, true, nullptr, processId};
    WaitUntil([&] { return FindVisible(search) != nullptr; }, timeoutMs, intervalMs);
    return search.found;
}

HWND FindChild(HWND parent, const char* className, const char* text)
{
    Search search = {className, text, false, nullptr, 0};
    EnumChildWindows(parent, Matches, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string WindowText(HWND window)
{
    // WM_GETTEXT through SendMessage works across threads for every window class.
    char text[1024] = {};
    SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string Expected(const wchar_t* english, const wchar_t* japanese)
{
    const bool japaneseUser = PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_JAPANESE;
    char text[1024] = {};
    WideCharToMultiByte(932, 0, japaneseUser ? japanese : english, -1, text, sizeof(text), nullptr, nullptr);
    return text;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

void Click(HWND button)
{
    // Bounded: a window whose thread no longer looks at its messages must fail the test, not
    // hold the driver's thread (and the test's end, which waits for it) for ever.
    DWORD_PTR unused = 0;
    SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &unused);
    // A real click arrives as posted input, which ends the receiver's wait for a message; a
    // sent BM_CLICK is handled inside that wait and does not end it, so a modal loop would
    // not look at its result until something else arrived.
    PostMessageA(GetAncestor(button, GA_ROOT), WM_NULL, 0, 0);
}

void PressKey(HWND window, UINT virtualKey)
{
    // Keys go to the control with the focus in the active window, as they would from the
    // keyboard; a window that has only just been shown may not be active, or have given a
    // control the focus, yet.
    WaitUntil([window] { return GetForegroundWindow() == window && FocusOf(window); }, 2000);
    HWND target = FocusOf(window) ? FocusOf(window) : window;
    // Key down and key up; the receiver's own TranslateMessage makes the character.
    const UINT scan = MapVirtualKeyA(virtualKey, 0);
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
    if (message != kMarker)
        return DefWindowProcA(window, message, wParam, lParam);
    if (auto* marker = reinterpret_cast<QueueMarker*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
        ++marker->m_handled;
    return 0;
}

bool QueueMarker::WaitUntilHandled(DWORD timeoutMs)
{
    for (int round = 0; round < 2; ++round) {
        const long target = m_handled + 1;
        if (!m_window || !PostMessageA(m_window, kMarker, 0, 0) ||
            !WaitUntil([&] { return m_handled >= target; }, timeoutMs))
            return false;
    }
    return true;
}

} // namespace uidriver
