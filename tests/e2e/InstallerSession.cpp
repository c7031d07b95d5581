#include "tests/e2e/InstallerSession.h"

#include "tests/platform/ScratchFolder.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"

#include <shlwapi.h>

#include <cstring>
#include <vector>

namespace e2e {

std::string WindowsPath(const char* linuxPath)
{
    std::string path = "Z:";
    for (const char* c = linuxPath; *c; ++c)
        path += *c == '/' ? '\\' : *c;
    return path;
}

Program::Program(const std::string& path, const std::string& arguments)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const std::string commandLine = "\"" + path + "\" " + arguments;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_info))
        m_info = PROCESS_INFORMATION();
}

Program::~Program()
{
    if (!m_info.hProcess)
        return;
    if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 1);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
    CloseHandle(m_info.hThread);
    CloseHandle(m_info.hProcess);
}

long Program::WaitForExit(DWORD timeoutMs)
{
    if (!m_info.hProcess || WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_info.hProcess, &code);
    return static_cast<long>(code);
}

bool Program::PauseWhen(const std::function<bool()>& reached, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        SuspendThread(m_info.hThread);
        // The context is only there once the thread has really stopped.
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL;
        GetThreadContext(m_info.hThread, &context);
        if (reached())
            return true;
        ResumeThread(m_info.hThread);
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(1);
    }
}

void Program::Resume() { ResumeThread(m_info.hThread); }

void Program::Kill()
{
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, 10000);
}

bool Pack(const std::string& description, const std::string& root, const std::string& output,
          const std::string& options)
{
    Program packer(WindowsPath(MKINSTALLER_EXE), "build " + options + " --stub \"" + WindowsPath(INSTALLER_EXE)
                   + "\" --desc \"" + description + "\" --root \"" + root + "\" -o \"" + output + "\"");
    return packer.WaitForExit(120000) == 0 && Exists(output);
}

namespace {

struct Search {
    DWORD processId;
    const char* className;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindOfProcess(HWND window, LPARAM context)
{
    Search* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    char text[256] = {};
    if (search->className) {
        GetClassNameA(window, text, sizeof text);
        if (lstrcmpiA(text, search->className) != 0)
            return TRUE;
    }
    if (search->title) {
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, search->title) != 0)
            return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND WaitForWindowOf(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    HWND found = nullptr;
    uidriver::WaitUntil([&] {
        Search search = {processId, className, title, nullptr};
        EnumWindows(FindOfProcess, reinterpret_cast<LPARAM>(&search));
        found = search.found;
        return found != nullptr;
    }, timeoutMs);
    return found;
}

HWND FindButton(HWND window, const char* label)
{
    HWND button = uidriver::FindChild(window, "Button", label);
    return button && IsWindowVisible(button) ? button : nullptr;
}

} // namespace

HWND WaitForInstallerWindow(DWORD processId, DWORD timeoutMs)
{
    return WaitForWindowOf(processId, "CAPPDEF_INSTALLER", nullptr, timeoutMs);
}

HWND WaitForDialog(DWORD processId, const char* title, DWORD timeoutMs)
{
    return WaitForWindowOf(processId, nullptr, title, timeoutMs);
}

bool WaitUntilHidden(HWND window, DWORD timeoutMs)
{
    return uidriver::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool WaitUntilVisible(HWND window, DWORD timeoutMs)
{
    return uidriver::WaitUntil([&] { return IsWindow(window) && IsWindowVisible(window); }, timeoutMs);
}

bool Press(HWND window, const char* label)
{
    HWND button = nullptr;
    uidriver::WaitUntil([&] { return (button = FindButton(window, label)) != nullptr; }, 5000);
    if (!button)
        return false;
    // Posted, not sent: the click starts work that runs its own modal loops (the progress,
    // the closing notice), and a sent click would wait for all of it.
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

bool HasButton(HWND window, const char* label) { return FindButton(window, label) != nullptr; }

void CloseByCloseBox(HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); }

namespace {

// The chooser's "Save in" list. Its name box is of no use here: the chooser does not validate
// names, so a folder typed there is taken as a file name in the folder the chooser stands in.
const int kLookIn = 0x471;

// The list belongs to a dialog of the wide forms; its texts are read as such.
std::string ItemText(HWND combo, LRESULT index)
{
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, WPARAM(index), 0);
    if (length < 0 || length > 1000)
        return std::string();
    std::vector<wchar_t> text(size_t(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, WPARAM(index), reinterpret_cast<LPARAM>(text.data()));
    char narrow[2048] = {};
    WideCharToMultiByte(CP_ACP, 0, text.data(), -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    return narrow;
}

LRESULT FindItem(HWND combo, const std::string& part)
{
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        if (ItemText(combo, i).find(part) != std::string::npos)
            return i;
    }
    return CB_ERR;
}

bool ShowsFolder(HWND lookIn, const std::string& part)
{
    LRESULT current = SendMessageA(lookIn, CB_GETCURSEL, 0, 0);
    return current != CB_ERR && ItemText(lookIn, current).find(part) != std::string::npos;
}

void PostKey(HWND window, UINT key)
{
    PostMessageA(window, WM_KEYDOWN, key, 1);
    PostMessageA(window, WM_KEYUP, key, 0xC0000001);
}

} // namespace

bool ChooseDriveAsParent(DWORD processId, HWND window, char drive)
{
    if (!Press(window, "Change Folder..."))
        return false;
    HWND chooser = WaitForWindowOf(processId, "#32770", nullptr, 10000);
    HWND lookIn = chooser ? GetDlgItem(chooser, kLookIn) : nullptr;
    if (!lookIn)
        return false;
    const std::string mark = std::string("(") + drive + ":)";
    // The drives are items of the computer's view; each is opened in turn, as a keyboard
    // user walks the list, until the "Save in" list names the drive.
    bool opened = false;
    for (int item = 0; item < 26 && !opened; ++item) {
        LRESULT computer = CB_ERR;
        uidriver::WaitUntil([&] { return (computer = FindItem(lookIn, "My Computer")) != CB_ERR; }, 10000);
        if (computer == CB_ERR)
            return false;
        SendMessageA(lookIn, CB_SETCURSEL, WPARAM(computer), 0);
        PostMessageA(chooser, WM_COMMAND, MAKEWPARAM(kLookIn, CBN_SELENDOK), reinterpret_cast<LPARAM>(lookIn));
        if (!uidriver::WaitUntil([&] { return ShowsFolder(lookIn, "My Computer"); }, 10000))
            return false;
        Sleep(300);
        HWND view = uidriver::FindChild(chooser, "SysListView32", nullptr);
        if (!view)
            return false;
        PostKey(view, VK_HOME);
        for (int down = 0; down < item; ++down)
            PostKey(view, VK_DOWN);
        PostKey(view, VK_RETURN);
        opened = uidriver::WaitUntil([&] { return ShowsFolder(lookIn, mark); }, 1500);
    }
    Screenshot(std::string("folder-chooser-") + drive, chooser);
    if (!opened)
        return false;
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    return WaitUntilHidden(chooser, 10000);
}

void Screenshot(const std::string& name, HWND window)
{
    // Let the window finish painting first.
    Sleep(300);
    testsupport::SaveScreenshot(name, window);
}

std::string RegistryValue(HKEY root, const char* key, const char* name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return std::string();
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    LONG status = RegQueryValueExA(opened, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(opened);
    return status == ERROR_SUCCESS ? std::string(data) : std::string();
}

std::string ProgramFilesFolder()
{
    return RegistryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
}

std::string StartMenuProgramsFolder()
{
    return RegistryValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                            "Programs");
}

std::string ProductFolder() { return ProgramFilesFolder() + "\\Sample Tool"; }

bool RegistryKeyExists(HKEY root, const char* key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

void RemoveSample()
{
    testsupport::RemoveTreeForTests(ProductFolder());
    testsupport::RemoveTreeForTests(StartMenuProgramsFolder() + "\\Sample Tool");
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\SampleTool");
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Sample Vendor");
}

} // namespace e2e
