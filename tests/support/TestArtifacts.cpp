#include "tests/support/TestArtifacts.h"

#include <windows.h>

namespace testsupport {

std::string ArtifactsDir()
{
    char buffer[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("INSTALLER_ARTIFACTS", buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) {
        CreateDirectoryA(buffer, nullptr);
        return buffer;
    }
    n = GetCurrentDirectoryA(sizeof buffer, buffer);
    return n > 0 && n < sizeof buffer ? std::string(buffer) : std::string(".");
}

std::string ArtifactPath(const std::string& name)
{
    return ArtifactsDir() + "\\" + name;
}

bool IsGuiRun()
{
    char buffer[8];
    DWORD n = GetEnvironmentVariableA("INSTALLER_GUI_TEST", buffer, sizeof buffer);
    return n == 1 && buffer[0] == '1';
}

} // namespace testsupport
