#include "integration/InfInstallation.h"

#include "install/CTextLines.h"
#include "integration/CInfHandle.h"
#include "integration/CInfLine.h"
#include "integration/CModule.h"
#include "integration/CQueueCallbackContext.h"
#include "platform/CChildPathOp.h"
#include "platform/CCreateFileOp.h"
#include "platform/CPlatformInfo.h"
#include "platform/FileCopy.h"
#include "platform/PathText.h"

#include <windows.h>
#include <setupapi.h>

namespace {

// SetupCopyOEMInfA, which systems before Windows 2000 lack.
using CopyOemInf = BOOL(WINAPI*)(PCSTR source, PCSTR mediaLocation, DWORD mediaType, DWORD copyStyle,
                                 PSTR destinationName, DWORD destinationNameSize, PDWORD requiredSize,
                                 PSTR* destinationNameComponent);

// Without SetupCopyOEMInfA the INF goes into the Windows folder's "inf" folder by hand, under
// its own name, with its times and read-only bit.
void CopyInfIntoSystemFolder(const char* infPath)
{
    char windows[MAX_PATH + 1] = {};
    UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    CChildPathOp infFolder(windows, "inf");
    if (!infFolder.Succeeded())
        return;
    CChildPathOp copyPath(infFolder.ResultPath().Text(), LastComponent(infPath).Text());
    if (!copyPath.Succeeded())
        return;
    CCreateFileOp copy(copyPath.ResultPath().Text(), ConflictMode::UseExisting);
    if (!copy.Succeeded())
        return;
    CCopyOutcome outcome;
    outcome.Take(CopyFileContents(infPath, copy.ResultPath().Text()));
    outcome.Take(CopyFileStamp(infPath, copy.ResultPath().Text()));
}

void RegisterInf(const CModule& setupApi, const char* infPath)
{
    CopyOemInf copyOemInf = nullptr;
    if (CPlatformInfo::Current().majorVersion >= 5)
        copyOemInf = reinterpret_cast<CopyOemInf>(reinterpret_cast<void*>(setupApi.GetProc("SetupCopyOEMInfA")));
    if (copyOemInf)
        copyOemInf(infPath, nullptr, SPOST_PATH, 0, nullptr, 0, nullptr, nullptr);
    else
        CopyInfIntoSystemFolder(infPath);
}

} // namespace

void InstallInf(const CModule& setupApi, const char* infPath, const char* section)
{
    RegisterInf(setupApi, infPath);
    CInfHandle inf(SetupOpenInfFileA(infPath, nullptr, INF_STYLE_WIN4, nullptr));
    if (!inf.IsValid() || !section[0])
        return;
    // Only the section's copy, delete and rename directives are carried out.
    CQueueCallbackContext context;
    SetupInstallFromInfSectionA(nullptr, inf.Get(), section, SPINST_FILES, nullptr, nullptr, 0,
                                SetupDefaultQueueCallbackA, context.Get(), nullptr, nullptr);
}

int InstallInfLines(const CVariables& variables, const CTextLines& lines)
{
    CModule setupApi("setupapi");
    bool ntFamily = CPlatformInfo::Current().platformId == CPlatformInfo::kWindowsNTFamily;
    for (int i = 0; i < lines.Count(); ++i) {
        CInfLine line(variables, lines.At(i));
        if (line.IsComplete() && line.AppliesTo(ntFamily) && !line.InfPath().IsEmpty())
            InstallInf(setupApi, line.InfPath().Text(), line.Section().Text());
    }
    return 0;
}
