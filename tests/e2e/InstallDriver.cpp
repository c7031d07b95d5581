// InstallDriver: runs an installer or an uninstaller of the sample's kind through its windows, as
// a user pressing its buttons would, for the demo and the comparison benchmark.
//
//   InstallDriver install SETUP.exe [--shots]       press Install, answer OK to every question
//   InstallDriver uninstall UNINSTALL.exe [--shots] press Uninstall
//
// Prints the seconds of each phase (start-up, installation, the end after the closing notice)
// and of the whole process, and ends with the program's own exit code (or 90 when its windows
// did not appear as expected). With --shots every window is kept as a screenshot in the
// artefact folder.
#include "tests/e2e/InstallerSession.h"

#include <cstdio>
#include <cstring>
#include <string>

using namespace e2e;

namespace {

constexpr int kDriverFailed = 90;

struct Run {
    const char* button;
    const char* prefix;
    bool shots;
};

void Shot(const Run& run, const char* name, HWND window)
{
    if (run.shots)
        Screenshot(std::string(run.prefix) + name, window);
}

double SecondsSince(DWORD tick) { return (GetTickCount() - tick) / 1000.0; }

int Drive(const std::string& program, const Run& run)
{
    const DWORD begun = GetTickCount();
    Program started(program);
    if (!started.Started()) {
        std::fprintf(stderr, "InstallDriver: cannot start %s\n", program.c_str());
        return kDriverFailed;
    }
    HWND window = WaitForInstallerWindow(started.Id());
    if (!window) {
        std::fprintf(stderr, "InstallDriver: no installer window appeared\n");
        return kDriverFailed;
    }
    std::printf("%.2f s from the start to the window\n", SecondsSince(begun));
    Shot(run, "page", window);
    const DWORD pressed = GetTickCount();
    if (!Press(window, run.button)) {
        std::fprintf(stderr, "InstallDriver: no %s button\n", run.button);
        return kDriverFailed;
    }
    if (run.shots) {
        // The progress dialog of a small product may be gone before it can be seen.
        if (HWND progress = WaitForDialog(started.Id(), "Progress", 2000))
            Shot(run, "progress", progress);
    }
    // Questions (folder exists, little space) come as messages with Cancel; the closing
    // notice has OK alone.
    for (int asked = 0; asked < 4; ++asked) {
        HWND message = WaitForDialog(started.Id(), "Message", 600000);
        if (!message) {
            std::fprintf(stderr, "InstallDriver: no message appeared\n");
            return kDriverFailed;
        }
        const bool question = HasButton(message, "Cancel");
        if (!question)
            std::printf("%.2f s from %s to the closing notice\n", SecondsSince(pressed), run.button);
        Shot(run, question ? "question" : "done", message);
        if (!Press(message, "OK"))
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

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: InstallDriver install|uninstall PROGRAM.exe [--shots]\n");
        return 2;
    }
    const bool shots = argc > 3 && std::strcmp(argv[3], "--shots") == 0;
    if (std::strcmp(argv[1], "install") == 0)
        return Drive(argv[2], Run{"Install", "install-", shots});
    if (std::strcmp(argv[1], "uninstall") == 0)
        return Drive(argv[2], Run{"Uninstall", "uninstall-", shots});
    std::fprintf(stderr, "InstallDriver: unknown command %s\n", argv[1]);
    return 2;
}
