#include "tests/e2e/InstallerSession.h"

#include "platform/CRegKey.h"
#include "resources/LResSource.h"
#include "resources/LStrList.h"
#include "resources/ResourceLanguage.h"
#include "tests/ui/UiDriver.h"

#include <psapi.h>

#include <vector>

namespace e2e {

namespace {

// How often a window of the installer is looked for: often enough that the driver's figures
// hardly wait for it, seldom enough that its questions hardly slow the installer down.
constexpr DWORD kLookMs = 10;
// The class of every dialog the installer shows.
const char kDialogClass[] = "LDIALOGDEFDATA";

} // namespace

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
    return uidriver::WaitUntil([&] {
        SuspendThread(m_info.hThread);
        // The context is only there once the thread has really stopped.
        CONTEXT context = {};
        context.ContextFlags = CONTEXT_CONTROL;
        GetThreadContext(m_info.hThread, &context);
        if (reached())
            return true;
        ResumeThread(m_info.hThread);
        return false;
    }, timeoutMs, 1);
}

void Program::Resume() { ResumeThread(m_info.hThread); }

bool Program::Kill()
{
    TerminateProcess(m_info.hProcess, 1);
    return WaitForSingleObject(m_info.hProcess, 10000) == WAIT_OBJECT_0;
}

bool Pack(const std::string& description, const std::string& root, const std::string& output,
          const std::string& options)
{
    Program packer(WindowsPath(MKINSTALLER_EXE), "build " + options + " --stub \"" + WindowsPath(INSTALLER_EXE)
                   + "\" --desc \"" + description + "\" --root \"" + root + "\" -o \"" + output + "\"");
    return packer.WaitForExit(120000) == 0 && Exists(output);
}

bool WriteFiles(const std::string& root, const ProductFiles& files)
{
    CreateDirectoryA(root.c_str(), nullptr);
    bool written = true;
    for (const auto& file : files) {
        for (size_t slash = file.first.find('\\'); slash != std::string::npos; slash = file.first.find('\\', slash + 1))
            CreateDirectoryA((root + "\\" + file.first.substr(0, slash)).c_str(), nullptr);
        written = written && WriteTestFile(root + "\\" + file.first, file.second);
    }
    return written;
}

std::string PackProduct(const std::string& work, const char* setupName, const ProductFiles& files,
                        const std::string& description, const std::string& options)
{
    const std::string root = work + "\\product", setup = work + "\\" + setupName;
    testsupport::RemoveTreeForTests(root);
    CreateDirectoryA(work.c_str(), nullptr);
    const bool written = WriteFiles(root, files) && WriteTestFile(work + "\\description.txt", description);
    return written && Pack(work + "\\description.txt", root, setup, options) ? setup : std::string();
}

HWND WaitForWindowOf(DWORD processId, const char* className, const char* title, DWORD timeoutMs)
{
    // Looked for often: the driver times the installer from its windows, and a coarse look
    // would add its wait to every figure (the silent tools it is compared with have none).
    return uidriver::WaitForVisibleWindow(className, title, timeoutMs, processId, kLookMs);
}

HWND WaitForInstallerWindow(DWORD processId) { return WaitForWindowOf(processId, "CAPPDEF_INSTALLER", nullptr); }

std::vector<std::string> ProgramTexts(DWORD processId, TextId id)
{
    std::vector<std::string> texts;
    char path[MAX_PATH] = {};
    if (HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId)) {
        GetModuleFileNameExA(process, nullptr, path, sizeof(path));
        CloseHandle(process);
    }
    // Mapped only while the texts are copied: the uninstaller's copy must stay deletable. An
    // uninstaller that moved itself aside is read in the stub every installer here is packed with.
    HMODULE module = path[0] ? LoadLibraryExA(path, nullptr, LOAD_LIBRARY_AS_DATAFILE) : nullptr;
    if (!module && path[0])
        module = LoadLibraryExA(WindowsPath(INSTALLER_EXE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module)
        return texts;
    LResSource source(module);
    const std::string japanese = std::string(id.list) + ResourceLanguage::NameSuffix(ResourceLanguage::kJapanese);
    for (const std::string& name : {japanese, std::string(id.list)}) {
        LStrList list(name.c_str(), LStrList::kStrings, &source);
        if (id.index < list.Count())
            texts.push_back(list.Get(id.index).Text());
    }
    FreeLibrary(module);
    return texts;
}

HWND WaitForDialog(DWORD processId, TextId title, DWORD timeoutMs)
{
    std::vector<std::string> titles;
    HWND found = nullptr;
    uidriver::WaitUntil([&] {
        // A process only just started may not tell its executable yet.
        if (titles.empty())
            titles = ProgramTexts(processId, title);
        for (const std::string& text : titles) {
            if ((found = WaitForWindowOf(processId, kDialogClass, text.c_str(), 0)))
                return true;
        }
        return false;
    }, timeoutMs, kLookMs);
    return found;
}

bool WaitUntilHidden(HWND window, DWORD timeoutMs)
{
    return uidriver::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool WaitUntilVisible(HWND window, DWORD timeoutMs)
{
    return uidriver::WaitUntil([&] { return IsWindow(window) && IsWindowVisible(window); }, timeoutMs);
}

namespace {

HWND FindButton(HWND window, const std::vector<std::string>& labels)
{
    for (const std::string& label : labels) {
        HWND button = uidriver::FindChild(window, "Button", label.c_str());
        if (button && IsWindowVisible(button))
            return button;
    }
    return nullptr;
}

std::vector<std::string> TextsOf(HWND window, TextId id)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return ProgramTexts(processId, id);
}

} // namespace

bool HasButton(HWND window, TextId label)
{
    return FindButton(window, TextsOf(window, label)) != nullptr;
}

bool Press(HWND window, TextId label)
{
    const std::vector<std::string> labels = TextsOf(window, label);
    HWND button = nullptr;
    if (!uidriver::WaitUntil([&] { return (button = FindButton(window, labels)) != nullptr; }))
        return false;
    // Posted, not sent: the click starts work that runs its own modal loops (the progress,
    // the closing notice), and a sent click would wait for all of it.
    return PostMessageA(button, BM_CLICK, 0, 0) != FALSE;
}

std::string ProgramFilesFolder()
{
    return RegistryValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
}

} // namespace e2e
