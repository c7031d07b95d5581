// The journal undoes what an installation did, also when a crash cut its journal file short.
#include "install/CInstJournal.h"
#include "install/CJournalFile.h"
#include "install/InterruptedInstallations.h"
#include "platform/FileUrl.h"
#include "tests/install/TreeSnapshot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace testsupport;

namespace {

const char* const kProduct = "Sample Tool";

// Where the crash came: while a new file was written, while a stop was being undone (the new
// a.txt deleted and the old one back), or once the commit had begun.
enum class CrashPoint { kWriting, kUndoing, kCommitting };

// An installation over an earlier one that a crash cut off, and the journal file it left: a
// new folder, a replaced file and its new contents, then the part of the crash point. Beside
// them the user's own files, named like the installer's backups and temporary files.
class InterruptedInstallation : public ::testing::TestWithParam<CrashPoint> {
protected:
    std::string JournalPath() const { return CJournalFile::PathFor(temp.c_str(), kProduct, product.c_str()).Text(); }

    void MakeEarlier()
    {
        RemoveTreeForTests(product);
        CreateDirectoryA(product.c_str(), nullptr);
        WriteTestFile(product + "\\a.txt", "old a");
        WriteTestFile(product + "\\ins5", "the user's ins5");
        WriteTestFile(product + "\\tmp9", "the user's tmp9");
    }
    void MakeChanges()
    {
        CreateDirectoryA((product + "\\made").c_str(), nullptr);
        if (GetParam() == CrashPoint::kUndoing)
            return;
        MoveFileA((product + "\\a.txt").c_str(), (product + "\\tmp77").c_str());
        WriteTestFile(product + "\\a.txt", "new a");
        if (GetParam() == CrashPoint::kWriting)
            WriteTestFile(product + "\\made\\ins79", "half");
    }
    // The journal file of those changes, as the installation wrote it; its bytes.
    std::string WriteJournal()
    {
        CInstJournal records;
        auto file = std::make_unique<CJournalFile>();
        EXPECT_TRUE(file->Create(JournalPath().c_str(), kProduct, product.c_str()));
        const std::string base = PathToFileUrl(product.c_str()).Text();
        auto enter = [&](JournalKind kind, const std::string& name, const char* second) {
            CJournalRecord* record = records.Enter(kind, (base + "/" + name).c_str(), second);
            file->Entered(*record);
            return record;
        };
        auto done = [&](CJournalRecord* record) {
            CInstJournal::Done(record);
            file->Done(*record);
        };
        done(enter(kJournalFolder, "made", ""));
        done(enter(kJournalReplaced, "a.txt", "tmp77"));
        done(enter(kJournalFile, "a.txt", "ins78"));
        if (GetParam() == CrashPoint::kWriting)
            enter(kJournalFile, "made/b.txt", "ins79");
        if (GetParam() == CrashPoint::kCommitting)
            file->Committing();
        file->Flush();
        file.reset(); // the crash: the file stays as it was written
        return ReadTestFile(JournalPath());
    }

    ScratchFolder scratch{"interrupted"};
    std::string temp = scratch / "temp";
    std::string product = scratch / kProduct;
};

} // namespace

TEST_P(InterruptedInstallation, IsFinishedFromItsJournalFileCutAtAnyByteAndNoFileIsLost)
{
    // Names, kinds and contents: the state is made again for every cut, with new times.
    auto take = [&] {
        TreeSnapshot tree = TakeSnapshot(product);
        for (auto& entry : tree)
            entry.second.created = entry.second.lastWrite = 0;
        return tree;
    };
    CreateDirectoryA(temp.c_str(), nullptr);
    MakeEarlier();
    const TreeSnapshot before = take();
    MakeChanges();
    const TreeSnapshot crashed = take();
    const std::string journal = WriteJournal();
    // The magic, then the header: op, kind, version, two texts with their lengths, the check.
    const size_t header = 8 + 18 + std::strlen(kProduct) + product.size();
    ASSERT_GT(journal.size(), header + 4 * 18);
    const bool committing = GetParam() == CrashPoint::kCommitting;
    for (size_t cut = 0; cut <= journal.size(); ++cut) {
        SCOPED_TRACE("journal cut at byte " + std::to_string(cut) + " of " + std::to_string(journal.size()));
        if (cut > header) {
            MakeEarlier();
            MakeChanges();
        }
        ASSERT_TRUE(WriteTestFile(JournalPath(), journal.substr(0, cut)));

        const int undone = UndoInterruptedInstallations(temp.c_str(), kProduct);
        TreeSnapshot after = take();
        EXPECT_EQ(after["ins5"], before.at("ins5"));
        EXPECT_EQ(after["tmp9"], before.at("tmp9"));
        if (cut < header) {
            // Not recognisably a journal: nothing is touched, the file included.
            EXPECT_EQ(undone, 0);
            EXPECT_EQ(after, crashed) << Describe(after);
            EXPECT_EQ(ReadTestFile(JournalPath()), journal.substr(0, cut));
            continue;
        }
        EXPECT_FALSE(Exists(JournalPath()));
        if (cut < journal.size()) {
            // What the records read name is undone; the earlier contents are there, at home
            // or under their backup name.
            const bool kept = after["a.txt"].contents == "old a" || after["tmp77"].contents == "old a";
            EXPECT_TRUE(kept) << Describe(after);
            continue;
        }
        TreeSnapshot expected = before;
        if (committing) {
            expected["a.txt"] = crashed.at("a.txt");
            expected["made"] = crashed.at("made");
        }
        EXPECT_EQ(undone, committing ? 0 : 1);
        EXPECT_EQ(after, expected) << Describe(after);
    }
}

INSTANTIATE_TEST_SUITE_P(Crash, InterruptedInstallation,
                         ::testing::Values(CrashPoint::kWriting, CrashPoint::kUndoing, CrashPoint::kCommitting));

TEST(InterruptedInstallations, AJournalInUseOrNamingAFileOutsideItsDestinationIsLeftAlone)
{
    ScratchFolder scratch("foreign");
    const std::string product = scratch / kProduct;
    CreateDirectoryA(product.c_str(), nullptr);
    ASSERT_TRUE(WriteTestFile(scratch / "outside.txt", "someone else's"));
    ASSERT_TRUE(WriteTestFile(product + "\\inside.txt", "made by the installation"));
    const std::string path = CJournalFile::PathFor(scratch.Path().c_str(), kProduct, product.c_str()).Text();

    CInstJournal records;
    auto file = std::make_unique<CJournalFile>();
    ASSERT_TRUE(file->Create(path.c_str(), kProduct, product.c_str()));
    auto enterDone = [&](const std::string& name) {
        CJournalRecord* record = records.Enter(kJournalFile, PathToFileUrl(name.c_str()));
        file->Entered(*record);
        CInstJournal::Done(record);
        file->Done(*record);
        file->Flush();
    };
    enterDone(product + "\\inside.txt");
    // Still written by a running installation.
    EXPECT_EQ(UndoInterruptedInstallations(scratch.Path().c_str(), kProduct), 0);
    EXPECT_EQ(ReadTestFile(product + "\\inside.txt"), "made by the installation");
    enterDone(scratch / "outside.txt");
    file.reset();
    EXPECT_EQ(UndoInterruptedInstallations(scratch.Path().c_str(), kProduct), 0);
    EXPECT_EQ(ReadTestFile(product + "\\inside.txt"), "made by the installation");
    EXPECT_EQ(ReadTestFile(scratch / "outside.txt"), "someone else's");
    EXPECT_TRUE(Exists(path));
}
