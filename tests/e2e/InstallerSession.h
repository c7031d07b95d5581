#pragma once

// The installer as a user meets it: the packed program started as its own process, its
// windows found by class and title, their buttons pressed through window messages, and what
// it leaves on the machine looked up afterwards.

#include "tests/platform/ScratchFolder.h"
#include "tests/support/SystemState.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace e2e {

// A Linux path of the build tree as the Wine side sees it (drive Z: is the root).
std::string WindowsPath(const char* linuxPath);

using testsupport::Exists;
using testsupport::ReadTestFile;
using testsupport::WriteTestFile;

// A started program; ended by force if it is still running when the object goes.
class Program {
public:
    explicit Program(const std::string& path, const std::string& arguments = std::string());
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    ~Program();

    bool Started() const { return m_info.hProcess != nullptr; }
    // The exit code, or -1 when the program has not ended within the time.
    long WaitForExit(DWORD timeoutMs = 30000);
    // Holds the program's main thread still as soon as `reached` holds, looked at between
    // short runs of it; false when it never held within the time. Resume lets it go on.
    bool PauseWhen(const std::function<bool()>& reached, DWORD timeoutMs = 120000);
    void Resume();
    // Ends the program at once, as the task manager does (TerminateProcess); true once it ended.
    bool Kill();
    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
};

// Packs a product tree with its description into an installer with the built stub; options
// go to the packer as they stand (such as "--codepage 932").
bool Pack(const std::string& description, const std::string& root, const std::string& output,
          const std::string& options = std::string());
// Files by their names below a root, with their contents; WriteFiles makes folders as needed.
using ProductFiles = std::vector<std::pair<std::string, std::string>>;
bool WriteFiles(const std::string& root, const ProductFiles& files);
// Writes the files below `work`\product and the description beside them, and packs them into
// `work`\`setupName`: its path, or "" on failure.
std::string PackProduct(const std::string& work, const char* setupName, const ProductFiles& files,
                        const std::string& description, const std::string& options = std::string());

// A text of the program by its string id: string `index` of its string list `list`. Dialogs
// and buttons are named by it and found in whichever language the program shows them, so a
// driver works for every user; what the user is to see is checked against literal texts.
struct TextId {
    const char* list;
    int index;
};
constexpr TextId kInstallButton{"HOWDY", 0};
constexpr TextId kUninstallButton{"UNINS", 0};
constexpr TextId kMessageTitle{"CSIMPLEMESSAGEDIALOG", 0};
constexpr TextId kOkButton{"CSIMPLEMESSAGEDIALOG", 1};
constexpr TextId kCancelButton{"CSIMPLEMESSAGEDIALOG", 2};
constexpr TextId kProgressTitle{"CSIMPLEPROGRESSDIALOG", 0};
// The texts of the id in the languages the running program's executable carries.
std::vector<std::string> ProgramTexts(DWORD processId, TextId id);

// A visible top-level window of the process of this class or title (null matches any); read
// without messages, so it also finds the windows of a program held still.
HWND WaitForWindowOf(DWORD processId, const char* className, const char* title, DWORD timeoutMs = 30000);
// The installer window (class "CAPPDEF_INSTALLER"); a dialog by its title.
HWND WaitForInstallerWindow(DWORD processId);
HWND WaitForDialog(DWORD processId, TextId title, DWORD timeoutMs = 30000);
bool WaitUntilHidden(HWND window, DWORD timeoutMs = 30000);
bool WaitUntilVisible(HWND window, DWORD timeoutMs = 30000);
// Presses the button inside the window, posted as a click.
bool Press(HWND window, TextId label);
bool HasButton(HWND window, TextId label);

std::string ProgramFilesFolder();
using testsupport::KeyExists;
using testsupport::RegistryValue;

} // namespace e2e
