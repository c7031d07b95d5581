#pragma once

// The installer as a user meets it: the packed program started as its own process, its
// windows found by class and title, their buttons pressed through window messages, and what
// it leaves on the machine looked up afterwards.

#include "tests/platform/ScratchFolder.h"

#include <windows.h>

#include <functional>
#include <string>

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
    // Ends the program at once, as the task manager does (TerminateProcess).
    void Kill();
    DWORD Id() const { return m_info.dwProcessId; }

private:
    PROCESS_INFORMATION m_info = {};
};

// Packs a product tree with its description into an installer with the built stub; options
// go to the packer as they stand (such as "--codepage 932").
bool Pack(const std::string& description, const std::string& root, const std::string& output,
          const std::string& options = std::string());

// The installer window of a given process (class "CAPPDEF_INSTALLER"), once it is visible.
HWND WaitForInstallerWindow(DWORD processId, DWORD timeoutMs = 30000);
// A visible top-level window of the process with this title ("Message", "Progress" ...).
HWND WaitForDialog(DWORD processId, const char* title, DWORD timeoutMs = 30000);
bool WaitUntilHidden(HWND window, DWORD timeoutMs = 30000);
bool WaitUntilVisible(HWND window, DWORD timeoutMs = 30000);
// Presses the button with this label inside the window.
bool Press(HWND window, const char* label);
bool HasButton(HWND window, const char* label);
void CloseByCloseBox(HWND window);
// Makes the root of a drive the parent folder through the install page's "Change Folder..."
// chooser: the drive is opened from the computer's view and confirmed with OK. False when the
// chooser does not show the drive.
bool ChooseDriveAsParent(DWORD processId, HWND window, char drive);
void Screenshot(const std::string& name, HWND window = nullptr);

// Where the product goes and what it registers, as the sample's description says.
std::string ProgramFilesFolder();
std::string StartMenuProgramsFolder();
std::string ProductFolder();
std::string RegistryValue(HKEY root, const char* key, const char* name);
bool RegistryKeyExists(HKEY root, const char* key);
// Removes every trace of an earlier run of the sample.
void RemoveSample();

} // namespace e2e
