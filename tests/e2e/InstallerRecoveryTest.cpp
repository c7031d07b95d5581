// What the installer and its uninstaller do at their start with the journal of an installation
// of their product that was cut off, as the user meets it: the notice before the window, in the
// user's language, and what is left on the disk. The journals are written here with the
// installer's own journal classes, under the machine-wide mark, as an interrupted run leaves
// them. One executable per prefix: the English user's and the Japanese user's.
#include "install/CInstJournal.h"
#include "install/CInstallMarks.h"
#include "platform/CRegKey.h"
#include "platform/CTextBuilder.h"
#include "platform/FileUrl.h"
#include "tests/e2e/InstallerSession.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/Screenshot.h"
#include "tests/ui/UiDriver.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {

const char* const kWork = "C:\\e2e-recovery";
const char* const kProduct = "Recovery Tool";

std::string Destination()
{
    static const std::string destination = ProgramFilesFolder() + "\\" + kProduct;
    return destination;
}

std::string Url(const std::string& relative)
{
    std::string url = PathToFileUrl(Destination().c_str()).Text();
    return relative.empty() ? url : url + "/" + relative;
}

// The names the system deletes or renames at the next restart, as one text.
std::string PendingRenames()
{
    CRegKey key(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", CRegKey::kOpenForReading);
    CTextBuilder data;
    DWORD type = 0;
    if (!key.QueryValue("PendingFileRenameOperations", data, type) || data.Failed())
        return "";
    return std::string(data.Text(), data.Length());
}

bool Marked() { return !CInstallMarks(kInstallMarksKey, kProduct).List().IsEmpty(); }

class RecoveryAtStart : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        testsupport::RemoveTreeForTests(kWork);
        s_setup = PackProduct(kWork, "RecoverySetup.exe", {{"readme.txt", "the product's readme"}},
                              std::string("<Folder>\n\"") + kProduct + "\"\n");
    }
    static void TearDownTestSuite() { testsupport::RemoveTreeForTests(kWork); }

    void SetUp() override
    {
        ASSERT_NE(s_setup, "") << "the product could not be packed";
        TearDown();
        CreateDirectoryA(Destination().c_str(), nullptr);
    }
    void TearDown() override
    {
        CInstallMarks(kInstallMarksKey, kProduct).Remove(Destination().c_str());
        testsupport::RemoveTreeForTests(Destination());
    }

    // Marks an installation into the destination as in progress and writes its journal with
    // one finished record, as a run cut off right after it leaves them.
    static void Interrupted(JournalKind kind, const std::string& url, const char* second)
    {
        ASSERT_TRUE(CInstallMarks(kInstallMarksKey, kProduct).Set(Destination().c_str()));
        CInstJournal journal;
        ASSERT_TRUE(journal.Mirror(kInstallMarksKey, kProduct, Destination().c_str(), false));
        CInstJournal::Done(journal.Enter(kind, url.c_str(), second));
        journal.Flush();
    }

    // Starts the program, waits for the notice it shows before its window, checks its texts and
    // keeps a picture of it, answers it and closes the window that follows.
    static void StartAndAnswer(const std::string& program, const char* shot)
    {
        Program started(program);
        HWND notice = WaitForDialog(started.Id(), kMessageTitle);
        ASSERT_TRUE(notice) << "no notice";
        // The texts the user must see, written out here rather than read from the program.
        EXPECT_EQ(uidriver::WindowText(notice), uidriver::Expected(L"Message", L"メッセージ"));
        const std::string ok = uidriver::Expected(L"OK", L"了解");
        EXPECT_TRUE(uidriver::FindChild(notice, "Button", ok.c_str())) << ok;
        EXPECT_FALSE(HasButton(notice, kCancelButton)) << "a notice, not a question";
        EXPECT_NE(testsupport::SaveScreenshot(std::string(GetUserDefaultLCID() == 1041 ? "ja-" : "en-") + shot, notice), "");
        ASSERT_TRUE(Press(notice, kOkButton));
        // The window shows once the start is over: the notice came from the start.
        HWND window = WaitForInstallerWindow(started.Id());
        ASSERT_TRUE(window);
        uidriver::CloseBox(window);
        EXPECT_EQ(started.WaitForExit(), 0);
    }

    std::string Journal() const { return Destination() + "\\Installing.journal"; }

    static std::string s_setup;
};

std::string RecoveryAtStart::s_setup;

} // namespace

// A record naming the destination itself would move "tmp5" beside the product's folder back
// under the folder's name: refused whole, and the user is told which folder.
TEST_F(RecoveryAtStart, AJournalThatCannotBeTrustedIsLeftAloneAndTheUserTold)
{
    const std::string beside = ProgramFilesFolder() + "\\tmp5";
    ASSERT_TRUE(WriteTestFile(beside, "someone else's file"));
    ASSERT_TRUE(WriteTestFile(Destination() + "\\readme.txt", "the product's readme"));
    ASSERT_NO_FATAL_FAILURE(Interrupted(kJournalReplaced, Url(""), "tmp5"));
    const std::string journal = ReadTestFile(Journal());
    const testsupport::TreeSnapshot before = testsupport::TakeSnapshot(Destination());

    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(s_setup, "journal-refused"));
    EXPECT_EQ(ReadTestFile(beside), "someone else's file");
    testsupport::ExpectTreeUnchanged(Destination(), before);
    EXPECT_EQ(ReadTestFile(Journal()), journal);
    EXPECT_TRUE(Marked());
    DeleteFileA(beside.c_str());
}

// A file the installation wrote that another program holds open: the journal and the mark stay,
// the user is told which file, and the next start finishes.
TEST_F(RecoveryAtStart, AFileInTheWayKeepsTheJournalForTheNextStart)
{
    const std::string held = Destination() + "\\held.txt";
    ASSERT_TRUE(WriteTestFile(held, "written by the interrupted installation"));
    ASSERT_NO_FATAL_FAILURE(Interrupted(kJournalFile, Url("held.txt"), "ins1"));
    HANDLE holder = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    StartAndAnswer(s_setup, "undo-incomplete");
    CloseHandle(holder);
    EXPECT_TRUE(Exists(held));
    EXPECT_TRUE(Exists(Journal()));
    EXPECT_TRUE(Marked());

    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(s_setup, "undone-at-the-next-start"));
    EXPECT_FALSE(Exists(held));
    EXPECT_FALSE(Exists(Journal()));
    EXPECT_FALSE(Marked());
}

// The uninstaller copy that the interrupted installation wrote undoes it: a running program
// cannot be deleted (its image is mapped), so it moves itself aside under a temporary name that
// goes at the next restart.
TEST_F(RecoveryAtStart, TheUninstallerTheInstallationWroteUndoesItAndMovesItselfAside)
{
    const std::string folder = Destination() + "\\Uninstall", uninstaller = folder + "\\Uninstall.exe";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(s_setup.c_str(), uninstaller.c_str(), FALSE));
    ASSERT_NO_FATAL_FAILURE(Interrupted(kJournalFile, Url("Uninstall/Uninstall.exe"), "ins2"));

    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(uninstaller, "undone-by-the-uninstaller"));
    EXPECT_FALSE(Exists(uninstaller));
    WIN32_FIND_DATAA found = {};
    HANDLE find = FindFirstFileA((folder + "\\ins*").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << "moved aside";
    FindClose(find);
    EXPECT_EQ(ReadTestFile(folder + "\\" + found.cFileName), ReadTestFile(s_setup));
    EXPECT_NE(PendingRenames().find(found.cFileName), std::string::npos) << "left for the restart";
    EXPECT_FALSE(Exists(Journal()));
    EXPECT_FALSE(Marked());
}

// A journal that any program of the user can plant in the temporary folder, naming a folder of
// its choice, is never read; the marked installation beside it is undone in the same start.
TEST_F(RecoveryAtStart, AJournalInTheTemporaryFolderIsNeverRead)
{
    const std::string victims = std::string(kWork) + "\\victims", planted = victims + "\\" + kProduct;
    const std::string victim = planted + "\\victim.txt";
    testsupport::RemoveTreeForTests(victims);
    CreateDirectoryA(victims.c_str(), nullptr);
    CreateDirectoryA(planted.c_str(), nullptr);
    ASSERT_TRUE(WriteTestFile(victim, "the user's file"));
    {
        CInstJournal journal;
        ASSERT_TRUE(journal.Mirror(kInstallMarksKey, kProduct, planted.c_str(), false));
        const std::string url = PathToFileUrl(planted.c_str()).Text() + std::string("/victim.txt");
        CInstJournal::Done(journal.Enter(kJournalFile, url.c_str(), "ins3"));
        journal.Flush();
    }
    char temp[MAX_PATH] = {};
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    const std::string inTemp = std::string(temp) + "Installing.journal";
    ASSERT_TRUE(MoveFileExA((planted + "\\Installing.journal").c_str(), inTemp.c_str(), MOVEFILE_REPLACE_EXISTING));
    const std::string ours = Destination() + "\\new.txt";
    ASSERT_TRUE(WriteTestFile(ours, "written by the interrupted installation"));
    ASSERT_NO_FATAL_FAILURE(Interrupted(kJournalFile, Url("new.txt"), "ins4"));

    ASSERT_NO_FATAL_FAILURE(StartAndAnswer(s_setup, "undone-temporary-journal-ignored"));
    EXPECT_FALSE(Exists(ours)) << "the start did its recovery";
    EXPECT_EQ(ReadTestFile(victim), "the user's file");
    EXPECT_TRUE(Exists(inTemp));
    DeleteFileA(inTemp.c_str());
    testsupport::RemoveTreeForTests(victims);
}
