// InstallDriver: runs an installer or an uninstaller of the sample's kind through its windows, as
// a user pressing its buttons would, for the demo and the comparison benchmark.
//
//   InstallDriver install SETUP.exe [--shots]       press Install, answer OK to every question
//   InstallDriver uninstall UNINSTALL.exe [--shots] press Uninstall
//   InstallDriver run PROGRAM [ARGUMENT...]         start a program that needs no presses (a
//                                                   silent installer) and wait for its end
//
// Buttons and dialogs are found by the program's own string ids, so it drives the windows in
// whichever language the user gets.
// Prints the seconds of each phase (start-up, installation, the end after the closing notice)
// and of the whole process, and ends with the program's own exit code (or 90 when its windows
// did not appear as expected). With --shots every window is kept as a screenshot in the
// artefact folder.
#include "tests/e2e/InstallerSession.h"
#include "tests/support/Screenshot.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace e2e;

namespace {

constexpr int kDriverFailed = 90;

double SecondsSince(DWORD tick) { return (GetTickCount() - tick) / 1000.0; }

int Failed(const char* what)
{
    std::fprintf(stderr, "InstallDriver: %s\n", what);
    return kDriverFailed;
}

// Wine connects a process to the display and loads its theme on the first window question,
// some 0.1 s; done before the clock starts, so that it is not counted as the installer's start.
void ConnectToTheDisplay()
{
    DestroyWindow(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
}

int Drive(const std::string& program, bool install, const std::string& shots)
{
    ConnectToTheDisplay();
    auto shot = [&](const char* name, HWND window) {
        if (!shots.empty())
            testsupport::SaveScreenshot(shots + name, window);
    };
    const DWORD begun = GetTickCount();
    Program started(program);
    HWND window = started.Started() ? WaitForInstallerWindow(started.Id()) : nullptr;
    if (!window)
        return Failed(("no installer window appeared for " + program).c_str());
    std::printf("%.2f s from the start to the window\n", SecondsSince(begun));
    shot("page", window);
    const DWORD pressed = GetTickCount();
    if (!Press(window, install ? kInstallButton : kUninstallButton))
        return Failed("no such button");
    // The progress dialog of a small product may be gone before it can be seen.
    if (HWND progress = shots.empty() ? nullptr : WaitForDialog(started.Id(), kProgressTitle, 2000))
        shot("progress", progress);
    // Questions (folder exists, little space) come as messages with Cancel; the closing
    // notice has OK alone.
    for (int asked = 0; asked < 4; ++asked) {
        HWND message = WaitForDialog(started.Id(), kMessageTitle, 600000);
        if (!message)
            return Failed("no message appeared");
        const bool question = HasButton(message, kCancelButton);
        if (!question)
            std::printf("%.2f s from %s to the closing notice\n", SecondsSince(pressed),
                        install ? "Install" : "Uninstall");
        shot(question ? "question" : "done", message);
        if (!Press(message, kOkButton))
            return kDriverFailed;
        if (!question)
            break;
        WaitUntilHidden(message);
    }
    const DWORD answered = GetTickCount();
    const long code = started.WaitForExit(120000);
    std::printf("%.2f s from the notice to the end\n", SecondsSince(answered));
    std::printf("%.2f s from the start to the end\n", SecondsSince(begun));
    std::printf("%s ended with %ld\n", program.c_str(), code);
    return code < 0 ? kDriverFailed : static_cast<int>(code);
}

// Starts any program as Drive starts the installer and times it on the same clock, so that a
// benchmark compares every tool from its start to its end alike.
int Run(int count, char** words)
{
    std::string arguments;
    for (int i = 1; i < count; ++i)
        arguments += (i > 1 ? " " : "") + std::string(words[i]);
    const DWORD begun = GetTickCount();
    Program started(words[0], arguments);
    if (!started.Started())
        return Failed(("cannot start " + std::string(words[0])).c_str());
    const long code = started.WaitForExit(600000);
    std::printf("%.2f s from the start to the end\n", SecondsSince(begun));
    std::printf("%s ended with %ld\n", words[0], code);
    return code < 0 ? kDriverFailed : static_cast<int>(code);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "run") == 0)
        return Run(argc - 2, argv + 2);
    const bool install = argc >= 3 && std::strcmp(argv[1], "install") == 0;
    if (argc < 3 || (!install && std::strcmp(argv[1], "uninstall") != 0)) {
        std::fprintf(stderr, "usage: InstallDriver install|uninstall PROGRAM.exe [--shots] | run PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const bool shots = argc > 3 && std::strcmp(argv[3], "--shots") == 0;
    return Drive(argv[2], install, shots ? argv[1] + std::string("-") : std::string());
}
