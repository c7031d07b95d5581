// The file operations and the finder on a real disk.
#include "platform/CChildPathOp.h"
#include "platform/CCreateFileOp.h"
#include "platform/CCreateFolderOp.h"
#include "platform/CDeleteFileOp.h"
#include "platform/CDeleteTreeOp.h"
#include "platform/CFileFind.h"
#include "platform/CParentFolderOp.h"
#include "platform/CRemoveFolderOp.h"
#include "platform/CRenameOp.h"
#include "platform/CTempFile.h"
#include "platform/FileSystem.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace testsupport;

namespace {

// The path an operation produced, or its failure.
std::string Made(const CFileOp& op)
{
    return op.Succeeded() ? op.ResultPath().Text() : "<status " + std::to_string(int(op.Status())) + ">";
}

} // namespace

TEST(FileOps, CreateAndRenameHandleATakenNameByMode)
{
    ScratchFolder scratch("create");
    const std::string dir = scratch / "dir";
    EXPECT_EQ(Made(CCreateFolderOp(dir.c_str(), ConflictMode::Fail)), dir);
    EXPECT_EQ(Made(CCreateFolderOp(dir.c_str(), ConflictMode::UseExisting)), dir);
    EXPECT_EQ(CCreateFolderOp(dir.c_str(), ConflictMode::Fail).Status(), FileStatus::Conflict);
    EXPECT_EQ(Made(CCreateFolderOp(dir.c_str(), ConflictMode::Number)), scratch / "dir2");
    EXPECT_TRUE(IsFolderForTests(scratch / "dir2"));
    EXPECT_EQ(CCreateFolderOp((scratch / "missing\\sub").c_str(), ConflictMode::UseExisting).Status(),
              FileStatus::NotFound);

    // Numbers go before the extension, past the numbered names already taken.
    ASSERT_TRUE(WriteTestFile(scratch / "report.txt", "one"));
    ASSERT_TRUE(WriteTestFile(scratch / "report2.txt", "two"));
    EXPECT_EQ(Made(CCreateFileOp((scratch / "report.txt").c_str(), ConflictMode::Number)), scratch / "report3.txt");
    EXPECT_EQ(ReadTestFile(scratch / "report3.txt"), "");
    EXPECT_EQ(Made(CCreateFileOp((scratch / "report.txt").c_str(), ConflictMode::UseExisting)), scratch / "report.txt");
    EXPECT_EQ(ReadTestFile(scratch / "report.txt"), "one");
    EXPECT_EQ(CCreateFileOp((scratch / "report.txt").c_str(), ConflictMode::Fail).Status(), FileStatus::Conflict);
    // An item of the other kind is no existing item to use.
    EXPECT_EQ(CCreateFolderOp((scratch / "report.txt").c_str(), ConflictMode::UseExisting).Status(),
              FileStatus::Conflict);
    EXPECT_FALSE(CCreateFileOp(dir.c_str(), ConflictMode::UseExisting).Succeeded());

    // A rename only in letter case leaves the name as it is; a rename has no Fail mode: it numbers.
    EXPECT_EQ(Made(CRenameOp((scratch / "report.txt").c_str(), "REPORT.TXT", ConflictMode::Number)),
              scratch / "report.txt");
    EXPECT_STREQ(CFileFind((scratch / "REPORT.TXT").c_str(), false).Name(), "report.txt");
    ASSERT_TRUE(WriteTestFile(scratch / "b.txt", "b"));
    EXPECT_EQ(CRenameOp((scratch / "report.txt").c_str(), "b.txt", ConflictMode::UseExisting).Status(),
              FileStatus::Conflict);
    EXPECT_EQ(Made(CRenameOp((scratch / "report.txt").c_str(), "b.txt", ConflictMode::Fail)), scratch / "b2.txt");
    EXPECT_EQ(ReadTestFile(scratch / "b2.txt"), "one");
    EXPECT_EQ(ReadTestFile(scratch / "b.txt"), "b");
    EXPECT_FALSE(Exists(scratch / "report.txt"));
    EXPECT_EQ(CRenameOp((scratch / "gone.txt").c_str(), "x.txt", ConflictMode::Number).Status(), FileStatus::NotFound);
}

TEST(FileOps, ChildAndParentPathsOnlyOfExistingFolders)
{
    ScratchFolder scratch("child");
    EXPECT_EQ(Made(CChildPathOp(scratch.Path().c_str(), "a:b?.txt")), scratch / "a_b_.txt");
    ASSERT_TRUE(WriteTestFile(scratch / "plain", "x"));
    EXPECT_EQ(CChildPathOp((scratch / "plain").c_str(), "a").Status(), FileStatus::Failed);
    EXPECT_EQ(CChildPathOp((scratch / "missing").c_str(), "a").Status(), FileStatus::Failed);

    EXPECT_EQ(Made(CParentFolderOp((scratch / "plain").c_str())), scratch.Path());
    EXPECT_EQ(Made(CParentFolderOp("C:\\Windows")), "C:\\");
    for (const std::string& path : {scratch / "missing\\x", scratch / "plain\\x", std::string("C:\\")})
        EXPECT_EQ(CParentFolderOp(path.c_str()).Status(), FileStatus::Failed) << path;

    std::string link = scratch / "A\\B\\link.lnk";
    EXPECT_EQ(EnsureParentFolders(link.c_str()), 0u);
    EXPECT_TRUE(IsFolderForTests(scratch / "A\\B"));
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(EnsureParentFolders(link.c_str()), 0u); // all there already
    EXPECT_NE(EnsureParentFolders((scratch / "plain\\sub\\x").c_str()), 0u);
    EXPECT_EQ(EnsureParentFolders("C:\\x.txt"), 0u);
}

TEST(FileOps, DeletesFilesFoldersAndTrees)
{
    ScratchFolder scratch("delete");
    ASSERT_TRUE(WriteTestFile(scratch / "f", "x"));
    EXPECT_EQ(CDeleteFileOp((scratch / "f").c_str()).Status(), FileStatus::Ok);
    EXPECT_EQ(CDeleteFileOp((scratch / "f").c_str()).Status(), FileStatus::NotFound);

    std::string tree = scratch / "tree";
    for (const std::string& folder : {tree, tree + "\\inner", tree + "\\.hidden"})
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(tree + "\\inner\\a", "a"));
    ASSERT_TRUE(WriteTestFile(tree + "\\.hidden\\b", "b"));
    EXPECT_EQ(CRemoveFolderOp(tree.c_str()).Status(), FileStatus::Failed);
    EXPECT_EQ(CDeleteTreeOp(tree.c_str()).Status(), FileStatus::Ok);
    EXPECT_FALSE(Exists(tree));
    EXPECT_EQ(CDeleteTreeOp(tree.c_str()).Status(), FileStatus::NotFound);
    EXPECT_TRUE(IsFolderForTests(scratch.Path()));
    ASSERT_TRUE(CreateDirectoryA(tree.c_str(), nullptr));
    EXPECT_EQ(CRemoveFolderOp(tree.c_str()).Status(), FileStatus::Ok);
}

TEST(FileOps, TempFilesGetFreshNamesAndGoUnlessKept)
{
    ScratchFolder scratch("temp");
    std::string first, second, kept;
    {
        CTempFile a(scratch.Path().c_str(), "ins"), b(scratch.Path().c_str(), "ins");
        CTempFile c(scratch.Path().c_str(), "unins.bat");
        first = a.Path().Text();
        second = b.Path().Text();
        kept = c.Path().Text();
        EXPECT_TRUE(Exists(first) && Exists(second) && Exists(kept));
        EXPECT_NE(first, second);
        EXPECT_EQ(first.rfind(scratch / "ins", 0), 0u);
        EXPECT_EQ(kept.rfind(scratch / "unins", 0), 0u);
        EXPECT_EQ(kept.substr(kept.size() - 4), ".bat");
        c.Keep();
    }
    EXPECT_FALSE(Exists(first) || Exists(second));
    EXPECT_TRUE(Exists(kept));
    EXPECT_FALSE(CTempFile((scratch / "missing").c_str(), "ins").Created());
}

// Children without "." and "..", though names may begin with dots; one entry with its true case.
TEST(CFileFind, ListsChildrenAndFindsOneEntry)
{
    ScratchFolder scratch("find");
    ASSERT_TRUE(CreateDirectoryA((scratch / ".config").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((scratch / "..more").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(scratch / "Data.Bin", "12345"));
    std::set<std::string> paths;
    CFileFind find(scratch.Path().c_str(), true);
    for (; find.Found(); find.Next())
        paths.insert(find.EntryPath().Text());
    EXPECT_EQ(find.Status(), FileStatus::Conflict);
    EXPECT_EQ(paths, (std::set<std::string>{scratch / ".config", scratch / "..more", scratch / "Data.Bin"}));
    EXPECT_EQ(CFileFind((scratch / ".config").c_str(), true).Status(), FileStatus::Conflict);
    EXPECT_EQ(CFileFind((scratch / "absent").c_str(), true).Status(), FileStatus::Conflict);

    CFileFind single((scratch / "data.bin").c_str(), false);
    ASSERT_TRUE(single.Found());
    EXPECT_EQ(single.EntryPath().Text(), scratch / "Data.Bin");
    EXPECT_EQ(single.Size(), 5u);
    EXPECT_FALSE(single.IsFolder());
    single.Next();
    EXPECT_EQ(single.Status(), FileStatus::Conflict);
    EXPECT_EQ(CFileFind((scratch / "none").c_str(), false).Status(), FileStatus::Conflict);
    EXPECT_TRUE(CFileFind(scratch.Path().c_str(), false).IsFolder());
    EXPECT_TRUE(IsFolder((scratch / ".config").c_str()));
    EXPECT_FALSE(IsFolder((scratch / "Data.Bin").c_str()));
}
