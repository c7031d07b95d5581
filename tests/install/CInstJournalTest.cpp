#include "install/CInstJournal.h"
#include "platform/FileUrl.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {

LString Url(const std::string& path)
{
    return PathToFileUrl(path.c_str());
}

} // namespace

TEST(CInstJournal, EnterMakesPendingRecordsNewestFirst)
{
    CInstJournal journal;
    CJournalRecord* first = journal.Enter(kJournalFolder, "file:///C:/a");
    CJournalRecord* second = journal.Enter(kJournalReplaced, "file:///C:/a/b", "tmp1");
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->kind, kJournalFolder + 3);
    EXPECT_TRUE(second->IsPending());
    EXPECT_EQ(journal.Newest(), second);
    EXPECT_EQ(journal.Older(second), first);
    CInstJournal::Done(second);
    CInstJournal::Done(second); // a second Done does not lower the kind again
    EXPECT_EQ(second->kind, kJournalReplaced);
    journal.Clear();
    EXPECT_TRUE(journal.IsEmpty());
}

TEST(CInstJournal, RollBackUndoesEffectiveChangesOnly)
{
    ScratchFolder scratch("journal");
    std::string folder = scratch / "made";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    std::string kept = scratch / "kept";
    ASSERT_TRUE(CreateDirectoryA(kept.c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(kept + "\\user.txt", "user"));
    // A replaced file: the old contents wait under the backup name, the new file has the name.
    ASSERT_TRUE(WriteTestFile(folder + "\\tmp77", "old"));
    ASSERT_TRUE(WriteTestFile(folder + "\\a.txt", "new"));
    ASSERT_TRUE(WriteTestFile(folder + "\\pending.txt", "p"));

    CInstJournal journal;
    CInstJournal::Done(journal.Enter(kJournalFolder, Url(folder)));
    CInstJournal::Done(journal.Enter(kJournalFolder, Url(kept)));
    CInstJournal::Done(journal.Enter(kJournalReplaced, Url(folder + "\\a.txt"), "tmp77"));
    CInstJournal::Done(journal.Enter(kJournalFile, Url(folder + "\\a.txt")));
    journal.Enter(kJournalFile, Url(folder + "\\pending.txt")); // never marked done
    journal.Enter(kJournalFile, "http://host/x");
    CInstJournal::Done(journal.Enter(kJournalFile, "not a url"));
    journal.RollBack();

    EXPECT_TRUE(journal.IsEmpty());
    // The pending record was skipped, so its folder was not empty and stayed.
    EXPECT_EQ(ReadTestFile(folder + "\\pending.txt"), "p");
    EXPECT_EQ(ReadTestFile(folder + "\\a.txt"), "old");
    EXPECT_FALSE(Exists(folder + "\\tmp77"));
    // A folder that still holds the user's file stays, and so does the file.
    EXPECT_EQ(ReadTestFile(kept + "\\user.txt"), "user");

    CInstJournal again;
    CInstJournal::Done(again.Enter(kJournalFile, Url(folder + "\\pending.txt")));
    CInstJournal::Done(again.Enter(kJournalFile, Url(folder + "\\a.txt")));
    again.Enter(kJournalFolder, Url(folder)); // pending: entered after its files, so done last
    CInstJournal::Done(again.Enter(kJournalFolder, Url(folder)));
    again.RollBack();
    EXPECT_TRUE(Exists(folder)); // the newest record removed nothing: the files were still there
}

TEST(CInstJournal, RollBackRemovesFilesBeforeTheirFolders)
{
    ScratchFolder scratch("order");
    std::string outer = scratch / "outer";
    std::string inner = outer + "\\inner";
    ASSERT_TRUE(CreateDirectoryA(outer.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(inner + "\\f", "f"));
    CInstJournal journal;
    CInstJournal::Done(journal.Enter(kJournalFolder, Url(outer)));
    CInstJournal::Done(journal.Enter(kJournalFolder, Url(inner)));
    CInstJournal::Done(journal.Enter(kJournalFile, Url(inner + "\\f")));
    journal.RollBack();
    EXPECT_FALSE(Exists(outer));
    EXPECT_TRUE(IsFolderForTests(scratch.Path()));
}

TEST(CInstJournal, CommitDeletesBackupsAndKeepsEverythingElse)
{
    ScratchFolder scratch("commit");
    ASSERT_TRUE(WriteTestFile(scratch / "tmp5", "old"));
    ASSERT_TRUE(WriteTestFile(scratch / "a.txt", "new"));
    CInstJournal journal;
    CInstJournal::Done(journal.Enter(kJournalFolder, Url(scratch.Path())));
    CInstJournal::Done(journal.Enter(kJournalReplaced, Url(scratch / "a.txt"), "tmp5"));
    CInstJournal::Done(journal.Enter(kJournalFile, Url(scratch / "a.txt")));
    journal.Commit();
    EXPECT_TRUE(journal.IsEmpty());
    EXPECT_FALSE(Exists(scratch / "tmp5"));
    EXPECT_EQ(ReadTestFile(scratch / "a.txt"), "new");
    journal.RollBack(); // nothing left to undo
    EXPECT_EQ(ReadTestFile(scratch / "a.txt"), "new");
}

TEST(CInstJournal, ClearActsOnNothing)
{
    ScratchFolder scratch("clear");
    ASSERT_TRUE(WriteTestFile(scratch / "a.txt", "a"));
    CInstJournal journal;
    CInstJournal::Done(journal.Enter(kJournalFile, Url(scratch / "a.txt")));
    journal.Clear();
    journal.RollBack();
    EXPECT_EQ(ReadTestFile(scratch / "a.txt"), "a");
}
