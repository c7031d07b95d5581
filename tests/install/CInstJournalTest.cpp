// Recovery acts only on what an interrupted installation wrote: the destinations its mark names,
// the journal inside each, records confined below it, files that still look as it left them.
#include "install/CInstJournal.h"
#include "install/CInstallMarks.h"
#include "install/InterruptedInstallations.h"
#include "install/JournalSteps.h"
#include "package/BigEndian.h"
#include "package/Crc32.h"
#include "platform/CRegKey.h"
#include "platform/CTempFile.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/SystemState.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using namespace testsupport;

namespace {

const char* const kProduct = "Sample Tool";
const char kMarks[] = "SOFTWARE\\Installer tests\\recovery";

// Made again with the same contents, a file looks as it did when its journal mark was written.
void Put(const std::string& path, const std::string& contents)
{
    WriteTestFile(path, contents);
    BackdateFile(path, 2001);
}

class Recovery : public ::testing::Test {
public:
    void SetUp() override
    {
        TearDown();
        CreateDirectoryA(product.c_str(), nullptr);
    }
    void TearDown() override
    {
        CRegKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Installer tests", CRegKey::kOpenForChange).DeleteKeyTree("recovery");
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Installer tests"); // once procedure_tests' key is gone too
    }

    std::string Journal() const { return product + "\\Installing.journal"; }
    bool Marked() const { return !CInstallMarks(kMarks, kProduct).List().IsEmpty(); }
    static CInterruptedOutcome Finish() { return FinishInterruptedInstallations(kMarks, kProduct); }
    // Names and contents below the folder, the journal file aside.
    static TreeSnapshot Take(const std::string& folder)
    {
        TreeSnapshot tree = TakeSnapshot(folder);
        for (auto& entry : tree)
            entry.second.created = entry.second.lastWrite = 0;
        tree.erase("Installing.journal");
        return tree;
    }
    // An installation of `product` into `destination` cut off after these records, marked as
    // in progress: the journal is left as a crash leaves it. Its bytes.
    template <class Records>
    std::string Interrupted(Records records, const std::string& destination, const char* product = kProduct)
    {
        EXPECT_TRUE(CInstallMarks(kMarks, kProduct).Set(destination.c_str()));
        {
            CInstJournal journal;
            EXPECT_TRUE(journal.Mirror(kMarks, product, destination.c_str(), false));
            records(journal, PathToFileUrl(destination.c_str()).Text() + std::string("/"));
            journal.Flush();
        }
        return ReadTestFile(destination + "\\Installing.journal");
    }
    template <class Records> std::string Interrupted(Records records) { return Interrupted(records, product); }

    static void Enter(CInstJournal& journal, JournalKind kind, const std::string& url, const char* name)
    {
        CInstJournal::Done(journal.Enter(kind, url.c_str(), name));
    }

    ScratchFolder scratch{"recovery"};
    std::string product = scratch / kProduct;
};

// Where the crash came: while a new file was written, while a stop was being undone (the new
// a.txt deleted and the old one back), or once the commit had begun.
enum class CrashPoint { kWriting, kUndoing, kCommitting };

// An installation over an earlier one that a crash cut off: a new folder, a replaced file and
// its new contents, then the part of the crash point. Beside them the user's own files, named
// like the installer's backups and temporary files.
class InterruptedInstallation : public Recovery, public ::testing::WithParamInterface<CrashPoint> {
protected:
    void MakeEarlier()
    {
        RemoveTreeForTests(product);
        CreateDirectoryA(product.c_str(), nullptr);
        Put(product + "\\a.txt", "old a");
        Put(product + "\\ins5", "the user's ins5");
        Put(product + "\\tmp9", "the user's tmp9");
    }
    void MakeChanges()
    {
        CreateDirectoryA((product + "\\made").c_str(), nullptr);
        if (GetParam() == CrashPoint::kUndoing)
            return;
        MoveFileA((product + "\\a.txt").c_str(), (product + "\\tmp77").c_str());
        Put(product + "\\a.txt", "new a");
        if (GetParam() == CrashPoint::kWriting)
            Put(product + "\\made\\ins79", "half");
    }
    std::string WriteJournal()
    {
        std::string bytes = Interrupted([&](CInstJournal& journal, const std::string& base) {
            Enter(journal, kJournalFolder, base + "made", "");
            Enter(journal, kJournalReplaced, base + "a.txt", "tmp77");
            Enter(journal, kJournalFile, base + "a.txt", "ins78");
            if (GetParam() == CrashPoint::kWriting)
                journal.Enter(kJournalFile, (base + "made/b.txt").c_str(), "ins79");
        });
        if (GetParam() != CrashPoint::kCommitting || bytes.size() < 4)
            return bytes;
        // Cut off right after the commit began, before its first deletion: the 'C' record, its
        // check continued from the record before it.
        std::string commit("C\0\0\0\0\0\0\0\0\0\0\0\0\0", 14);
        uint8_t check[4];
        WriteBigEndian32(Crc32(ReadBigEndian32(reinterpret_cast<const uint8_t*>(bytes.data() + bytes.size() - 4)),
                               commit.data(), commit.size()), check);
        return bytes + commit + std::string(reinterpret_cast<const char*>(check), 4);
    }
    // What a finished recovery leaves: the earlier installation, or the new one committed.
    TreeSnapshot Expected() const
    {
        TreeSnapshot expected = before;
        if (GetParam() == CrashPoint::kCommitting) {
            expected["a.txt"] = crashed.at("a.txt");
            expected["made"] = crashed.at("made");
        }
        return expected;
    }
    // The earlier contents are there, at home or under their backup name, and so are the
    // user's own files.
    void ExpectNothingLost()
    {
        TreeSnapshot after = Take(product);
        const bool finished = after == Expected(); // before the look-ups below add entries
        EXPECT_EQ(after["ins5"], before.at("ins5"));
        EXPECT_EQ(after["tmp9"], before.at("tmp9"));
        EXPECT_TRUE(after["a.txt"].contents == "old a" || after["tmp77"].contents == "old a" || finished)
            << Describe(after);
    }
    void Rewrite(const std::string& bytes)
    {
        MakeEarlier();
        MakeChanges();
        ASSERT_TRUE(WriteTestFile(Journal(), bytes));
        ASSERT_TRUE(CInstallMarks(kMarks, kProduct).Set(product.c_str()));
    }

    TreeSnapshot before, crashed;
};

} // namespace

TEST_P(InterruptedInstallation, IsFinishedFromItsJournalFileCutOrDamagedAnywhereAndNoFileIsLost)
{
    MakeEarlier();
    before = Take(product);
    MakeChanges();
    crashed = Take(product);
    const std::string journal = WriteJournal();
    // The magic, then the header: op, kind, version, two texts with their lengths, the check.
    const size_t header = 8 + 18 + std::strlen(kProduct) + product.size();
    ASSERT_GT(journal.size(), header + 4 * 18);
    // Cut at every byte; followed by what a power cut leaves behind the last record written
    // (zeros, or whatever the disk held); a bit flipped in the last record.
    std::vector<std::string> versions = {journal + std::string(512, '\0'), journal + Noise(300, 7), journal};
    versions.back()[journal.size() - 2] ^= 0x20;
    for (size_t cut = 0; cut <= journal.size(); ++cut)
        versions.push_back(journal.substr(0, cut));
    for (const std::string& bytes : versions) {
        SCOPED_TRACE("a journal of " + std::to_string(bytes.size()) + " bytes; written: " + std::to_string(journal.size()));
        ASSERT_NO_FATAL_FAILURE(Rewrite(bytes));
        const CInterruptedOutcome outcome = Finish();
        EXPECT_EQ(outcome.refused.Text(), std::string());
        // A new file whose record the cut took stands in the way of the earlier one: kept for
        // the next start, and named.
        EXPECT_EQ(Exists(Journal()), !outcome.inTheWay.IsEmpty());
        EXPECT_EQ(Marked(), Exists(Journal()));
        if (bytes.size() < header) {
            // Cut off while it was being made, before any change: nothing to undo.
            EXPECT_EQ(Take(product), crashed);
            continue;
        }
        ExpectNothingLost();
        if (bytes.compare(0, journal.size(), journal) == 0) {
            EXPECT_EQ(outcome.undone, GetParam() == CrashPoint::kCommitting ? 0 : 1);
            EXPECT_EQ(Take(product), Expected()) << Describe(Take(product));
        }
    }
    // Another version, its header checking all the same: refused whole.
    std::string otherVersion = journal;
    const size_t headerEnd = header - 4;
    otherVersion[8 + 5] = 1;
    uint8_t check[4];
    WriteBigEndian32(Crc32(0, otherVersion.data() + 8, headerEnd - 8), check);
    otherVersion.replace(headerEnd, 4, reinterpret_cast<const char*>(check), 4);
    ASSERT_NO_FATAL_FAILURE(Rewrite(otherVersion));
    EXPECT_EQ(Finish().refused.Text(), product);
    EXPECT_EQ(Take(product), crashed);
    EXPECT_EQ(ReadTestFile(Journal()), otherVersion);
    EXPECT_TRUE(Marked());
}

INSTANTIATE_TEST_SUITE_P(Crash, InterruptedInstallation,
                         ::testing::Values(CrashPoint::kWriting, CrashPoint::kUndoing, CrashPoint::kCommitting));

namespace {

// Journals a less privileged program could plant: where the mark points and the journal was
// written, its product, and one record reaching outside (no path: the destination itself).
// A header naming another destination is refused even when its records lie in the marked one.
struct Forgery {
    const char* name;
    const char* marked;
    const char* writtenIn;
    const char* product;
    JournalKind kind;
    const char* path;
    const char* second;
    bool inMarked; // the record lies in the marked folder, whatever the header names
};

class ForgedJournal : public Recovery, public ::testing::WithParamInterface<Forgery> {};

// "Sample Tool\link" leads to "elsewhere" there: made by the journal_links fixture.
const char kLinks[] = "C:\\journal-links\\Sample Tool";

const Forgery kForgeries[] = {
    {"ADestinationElsewhere", kProduct, "elsewhere\\Sample Tool", kProduct, kJournalFile, "victim.txt", "ins10", false},
    {"TheDestinationItself", kProduct, kProduct, kProduct, kJournalReplaced, nullptr, "tmp5", false},
    {"DotDot", kProduct, kProduct, kProduct, kJournalFile, "../outside.txt", "ins4", false},
    {"ALinkOnTheWay", kLinks, kLinks, kProduct, kJournalFile, "link/victim.txt", "ins6", false},
    {"AForeignProductsFolder", "elsewhere", "elsewhere", kProduct, kJournalFile, "victim.txt", "ins7", false},
    {"AnotherProductsJournal", kProduct, kProduct, "Other Tool", kJournalFile, "a.txt", "ins8", false},
    {"ABackupNameOfItsOwn", kProduct, kProduct, kProduct, kJournalReplaced, "b.txt", "a.txt", false},
    {"AFileAtItsOwnNameInAFolderItFound", kProduct, kProduct, kProduct, kJournalFile, "a.txt", "a.txt", false},
    {"ABackupNameWithLetters", kProduct, kProduct, kProduct, kJournalReplaced, "b.txt", "tmp-b", false},
    {"AHeaderNamingAnotherDestination", kProduct, "elsewhere\\Sample Tool", kProduct, kJournalFile, "a.txt", "ins9", true},
};

} // namespace

TEST_P(ForgedJournal, IsRefusedWholeAndNothingChangesAnywhere)
{
    const Forgery& forgery = GetParam();
    auto folder = [&](const char* name) { return name[1] == ':' ? std::string(name) : scratch / name; };
    const std::string marked = folder(forgery.marked), written = folder(forgery.writtenIn);
    const std::string links = ParentPath(kLinks).Text();
    ASSERT_NE(GetFileAttributesA((links + "\\Sample Tool\\link").c_str()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    CreateDirectoryA(folder("elsewhere").c_str(), nullptr);
    CreateDirectoryA(written.c_str(), nullptr);
    for (const std::string& victim : {scratch / "outside.txt", scratch / "tmp5", scratch / "elsewhere\\victim.txt",
                                      written + "\\victim.txt", product + "\\a.txt", links + "\\elsewhere\\victim.txt"})
        Put(victim, "someone's file");
    Interrupted([&](CInstJournal& journal, const std::string& base) {
        const std::string from = forgery.inMarked ? PathToFileUrl(marked.c_str()).Text() + std::string("/") : base;
        const std::string url = forgery.path ? from + forgery.path : PathToFileUrl(written.c_str()).Text();
        Enter(journal, forgery.kind, url, forgery.second);
    }, written, forgery.product);
    ASSERT_TRUE(CInstallMarks(kMarks, kProduct).Set(marked.c_str()));
    MoveFileA((written + "\\Installing.journal").c_str(), (marked + "\\Installing.journal").c_str());
    const TreeSnapshot before = TakeSnapshot(scratch.Path()), beside = TakeSnapshot(links);
    EXPECT_EQ(Finish().refused.Text(), marked);
    ExpectTreeUnchanged(scratch.Path(), before);
    ExpectTreeUnchanged(links, beside);
    EXPECT_TRUE(Marked());
}

INSTANTIATE_TEST_SUITE_P(Forgeries, ForgedJournal, ::testing::ValuesIn(kForgeries),
                         [](const ::testing::TestParamInfo<Forgery>& info) { return std::string(info.param.name); });

// A product name that would reach into a key below another product's marks nothing.
TEST_F(Recovery, AProductNameWithASeparatorMarksNothing)
{
    EXPECT_FALSE(CInstallMarks(kMarks, "Other Tool\\Sample Tool").Set(product.c_str()));
}

// A stale journal beside a later installation, and an undo step that fails.
TEST_F(Recovery, LeavesFilesWrittenSinceAloneAndAFailedStepKeepsTheJournalForTheNextStart)
{
    Put(product + "\\a.txt", "a, first attempt");
    Put(product + "\\Uninstall.exe", "the new uninstaller");
    Put(product + "\\b.txt", "new b");
    Put(product + "\\tmp3", "old b");
    SetFileAttributesA((product + "\\Uninstall.exe").c_str(), FILE_ATTRIBUTE_READONLY);
    Interrupted([](CInstJournal& journal, const std::string& base) {
        Enter(journal, kJournalFile, base + "a.txt", "ins0");
        Enter(journal, kJournalFile, base + "Uninstall.exe", "ins1");
        Enter(journal, kJournalReplaced, base + "b.txt", "tmp3");
        Enter(journal, kJournalFile, base + "b.txt", "ins2");
    });
    WriteTestFile(product + "\\a.txt", "a, later installation");
    HANDLE held = CreateFileA((product + "\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CInterruptedOutcome outcome = Finish();
    CloseHandle(held);
    EXPECT_EQ(outcome.inTheWay.Text(), product + "\\b.txt");
    EXPECT_EQ(outcome.undone, 0);
    EXPECT_TRUE(Exists(Journal()));
    EXPECT_TRUE(Marked());
    EXPECT_FALSE(Exists(product + "\\Uninstall.exe")) << "a read-only file is undone too";

    outcome = Finish();
    EXPECT_EQ(outcome.undone, 1);
    EXPECT_EQ(outcome.inTheWay.Text(), std::string());
    EXPECT_EQ(ReadTestFile(product + "\\b.txt"), "old b");
    EXPECT_EQ(ReadTestFile(product + "\\a.txt"), "a, later installation");
    EXPECT_FALSE(Exists(Journal()));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kMarks)) << "the last mark takes its empty keys along";
}

TEST_F(Recovery, APowerCutAtAnyStepOfAnUpdateLosesNoEarlierFile)
{
    // Files in folders below the destination too: their backup names are entered ahead with
    // those of the first folder.
    const std::vector<std::string> names = {"f0.txt", "sub\\f1.txt", "sub\\deeper\\f2.txt", "f3.txt"};
    const int kFiles = static_cast<int>(names.size());
    auto name = [&](int i) { return product + "\\" + names[i]; };
    CreateDirectoryA((product + "\\sub").c_str(), nullptr);
    CreateDirectoryA((product + "\\sub\\deeper").c_str(), nullptr);
    for (int cut = 0; cut <= kFiles; ++cut) {
        SCOPED_TRACE("power lost after file " + std::to_string(cut));
        for (int i = 0; i < kFiles; ++i)
            Put(name(i), "old " + std::to_string(i));
        ASSERT_TRUE(CInstallMarks(kMarks, kProduct).Set(product.c_str()));
        auto journal = std::make_unique<CInstJournal>();
        ASSERT_TRUE(journal->Mirror(kMarks, kProduct, product.c_str(), false));
        for (int i = 0; i < cut; ++i) {
            CTempFile temp;
            CJournalRecord* record = nullptr;
            const LString path(name(i).c_str());
            ASSERT_EQ(StartNewFile(*journal, path, PathToFileUrl(path.Text()), false, temp, record), kInsOK);
            temp.Contents().Write("new", 3);
            ASSERT_EQ(PlaceNewFile(temp, path, record), kInsOK);
        }
        const uint64_t durable = journal->DurableBytes();
        journal.reset();
        // What the disk kept of the journal: the bytes up to its last flush.
        ASSERT_TRUE(WriteTestFile(Journal(), ReadTestFile(Journal()).substr(0, durable)));
        const CInterruptedOutcome outcome = Finish();
        const std::string left = Exists(Journal()) ? ReadTestFile(Journal()) : std::string();
        const TreeSnapshot after = Take(product);
        for (int i = 0; i < kFiles; ++i) {
            const std::string old = "old " + std::to_string(i);
            bool named = after.at(names[i]).contents == old;
            for (const auto& entry : after)
                named = named || (entry.second.contents == old && left.find(LastComponent(entry.first.c_str()).Text()) != std::string::npos);
            EXPECT_TRUE(named) << "file " << i << " lost; " << Describe(after);
        }
        EXPECT_EQ(left.empty(), outcome.inTheWay.IsEmpty());
    }
}

TEST_F(Recovery, TwoInstallationsMarkAndUnmarkAtOnceAndNeitherFails)
{
    std::atomic<int> failed{0};
    auto markAndUnmark = [&](const char* product) {
        for (int i = 0; i < 300; ++i) {
            CInstallMarks marks(kMarks, product);
            failed += marks.Set("C:\\Marked") && !marks.List().IsEmpty() ? 0 : 1;
            marks.Remove("C:\\Marked");
        }
    };
    std::thread other(markAndUnmark, "Another product");
    markAndUnmark(kProduct);
    other.join();
    EXPECT_EQ(failed, 0);
}
