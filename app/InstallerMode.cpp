#include "app/InstallerMode.h"

#include "platform/CParentFolderOp.h"
#include "platform/CharStep.h"
#include "platform/PathText.h"

#include <windows.h>

namespace {

const char kUninstallPrefix[] = "Uninstall";
const int kPrefixLength = 9;

} // namespace

bool IsUninstallerPath(const char* ownPath)
{
    LString name = LastComponent(ownPath);
    const char* text = name.Text();
    const char* end = text;
    for (int characters = 0; characters < kPrefixLength && *end; ++characters)
        end = NextChar(end);
    int length = static_cast<int>(end - text);
    return CompareStringA(GetUserDefaultLCID(), NORM_IGNORECASE, text, length, kUninstallPrefix, kPrefixLength)
        == CSTR_EQUAL;
}

LString UninstallDestination(const char* ownPath)
{
    LString path(ownPath);
    for (int step = 0; step < 2; ++step) {
        CParentFolderOp parent(path.Text());
        if (parent.Succeeded())
            path = parent.ResultPath();
    }
    return path;
}
