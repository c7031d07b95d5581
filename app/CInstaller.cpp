#include "app/CInstaller.h"

#include "app/InstallerMode.h"
#include "app/PackageScan.h"
#include "install/CInstallMarks.h"
#include "install/CInstallProcedure.h"
#include "install/CProcedureRun.h"
#include "install/CProcedureDialogs.h"
#include "install/CUninstallProcedure.h"
#include "install/InterruptedInstallations.h"
#include "install/ProcedureTexts.h"
#include "integration/CSystemFolders.h"
#include "package/CPackageReader.h"
#include "resources/LStrList.h"

#include <ole2.h>

#include <new>

L_DEFINE_MESSAGE_NAME(CInstaller_Done);

namespace {

// The window's messages, compared by their text (literals, kept once with the window's names).
const char* const kInstallPressed = "CInstWin_Install";
const char* const kUninstallPressed = "CInstWin_Uninstall";
// How often the window looks whether the count has ended: sooner than the eye notices.
constexpr int32_t kScanWatchMs = 15;

LString ProgramFilesFolder()
{
    CSystemFolders* folders = CSystemFolders::Current();
    return folders ? folders->ProgramFiles() : LString();
}

LString TempFolder()
{
    CSystemFolders* folders = CSystemFolders::Current();
    return folders ? folders->Temp() : LString();
}

} // namespace

CInstaller::CInstaller(LHandler* application, CPackageReader& reader, const COwnFile& ownFile,
                       CInstallerWindowFactory makeWindow)
    : LHandler(application)
    , m_application(application)
    , m_reader(reader)
    , m_ownFile(ownFile)
    , m_uninstaller(IsUninstallerPath(ownFile.path.Text()))
    , m_entries(reader)
{
    LoadDescription();
    // The reader now stands on the first entry, where the pre-scan begins: it runs while OLE
    // starts and the window is built, and the reader is the scan's until its figures are taken.
    if (!m_uninstaller)
        m_scan.Start(m_reader, m_ownFile.size);
    m_oleState = SUCCEEDED(OleInitialize(nullptr)) ? kOleReady : kOleFailed;
    m_window = makeWindow ? makeWindow(this) : nullptr;
}

CInstaller::~CInstaller()
{
    delete m_window;
    m_window = nullptr;
    if (m_oleState == kOleReady)
        OleUninitialize();
}

void CInstaller::LoadDescription()
{
    ::LoadDescription(m_reader, m_description, m_descriptionLoaded, CInstDesc::UserDefaultLanguage());
}

void CInstaller::Start()
{
    // An installation of this product that was cut off (the process ended from the task
    // manager, the power lost) is undone before anything else, whichever mode this run is in.
    CInterruptedOutcome interrupted = FinishInterruptedInstallations(kInstallMarksKey, ProductFolderName(m_description));
    CProcedureDialogs& dialogs = m_window->Dialogs();
    if (interrupted.undone > 0)
        dialogs.Notice(MessageText(kMsgInterruptedUndone));
    if (!interrupted.refused.IsEmpty())
        dialogs.Notice(MessageAbout(kMsgJournalRefused, interrupted.refused));
    if (!interrupted.inTheWay.IsEmpty())
        dialogs.Notice(MessageAbout(kMsgUndoIncomplete, interrupted.inTheWay));
    if (m_uninstaller)
        StartUninstall(UninstallDestination(m_ownFile.path.Text()));
    else
        StartInstall();
}

void CInstaller::StartInstall()
{
    LStrList texts("INSTWIN", LStrList::kStrings);
    m_window->ShowStartupNotice(texts.Get(0));

    // A large package takes longer to count than the window to build: the window does not
    // wait for it, and shows the figures when the count ends.
    TakeRequirement(false);

    m_window->SetTitle(m_description.Text(kDescInsWin));
    m_window->SetParentFolder(ProgramFilesFolder());
    m_window->SetInstallTexts(m_description.Text(kDescInsTitle), m_description.Text(kDescInsText));
    m_window->Layout();
    m_window->ShowInstallPage();
    m_window->CloseStartupNotice();
    m_window->Show();
}

void CInstaller::TakeRequirement(bool wait)
{
    if (m_requirementKnown)
        return;
    if (!wait && m_scan.Running()) {
        m_scanWatch.Start(kScanWatchMs);
        return;
    }
    m_scanWatch.Stop();
    const PackageRequirement requirement = m_scan.Finish();
    // Back to the first entry, where the installation begins.
    LoadDescription();
    m_entryCount = requirement.entryCount;
    m_totalBytes = requirement.totalBytes;
    m_requirementKnown = true;
    m_window->SetRequirement(m_entryCount, m_totalBytes);
}

void CInstaller::StartUninstall(const LString& destination)
{
    m_destination = destination;
    m_window->SetTitle(m_description.Text(kDescUniWin));
    m_window->SetUninstallTexts(m_description.Text(kDescUniTitle), m_description.Text(kDescUniText), destination);
    m_window->Layout();
    m_window->ShowUninstallPage();
    m_window->Show();
}

LMessage CInstaller::Handle(const LMessage& message)
{
    bool fromWindow = m_window && message.param == m_window->Handler();
    if (message.Is(LTimer_Expire) && message.param == &m_scanWatch) {
        TakeRequirement(false);
        return Consumed();
    }
    if (fromWindow && message.Is(kInstallPressed)) {
        Install();
        return Consumed();
    }
    if (fromWindow && message.Is(kUninstallPressed)) {
        Uninstall();
        return Consumed();
    }
    return LHandler::Handle(message);
}

void CInstaller::PrepareRun(CProcedureRun& run)
{
    run.entries = &m_entries;
    run.packageStart = m_reader.Start();
    run.packageEnd = m_reader.End();
    run.description = &m_description;
    run.variables = &m_variables;
    run.ownPath = m_ownFile.path;
    run.tempFolder = TempFolder();
}

void CInstaller::Install()
{
    // Pressed before the count ended: the check of the free space needs it.
    TakeRequirement(true);
    CProcedureRun run;
    PrepareRun(run);
    run.parentFolder = m_window->ParentFolder();
    run.requiredBytes = m_totalBytes;
    CInstallProcedure procedure(run, m_window->Dialogs());
    if (procedure.Run()) {
        m_destination = run.destination;
        Done();
        return;
    }
    // Another attempt starts again from the first entry, with the folder the user chose.
    LoadDescription();
    m_window->ShowInstallPage();
    m_window->Show();
}

void CInstaller::Uninstall()
{
    CProcedureRun run;
    PrepareRun(run);
    run.destination = m_destination;
    CUninstallProcedure procedure(run, m_window->Dialogs());
    procedure.Run();
    if (procedure.Result() == kInsOK) {
        Done();
        return;
    }
    // Nothing was removed (a file in use, say): the user may close what holds it and try
    // again, from the first entry.
    LoadDescription();
    m_window->ShowUninstallPage();
    m_window->Show();
}

void CInstaller::Done()
{
    if (m_application)
        Send(CInstaller_Done, this, m_application);
}
