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

using namespace testsupport;

TEST(NumberedPath, InsertsBeforeTheExtension)
{
    EXPECT_STREQ(CFileOp::NumberedPath("C:\\d\\setup.tmp", 2).Text(), "C:\\d\\setup2.tmp");
    EXPECT_STREQ(CFileOp::NumberedPath("C:\\d.x\\readme", 2).Text(), "C:\\d.x\\readme2");
    EXPECT_STREQ(CFileOp::NumberedPath("archive.tar gz", 3).Text(), "archive.tar gz3");
    EXPECT_STREQ(CFileOp::NumberedPath("a.b.c", 10).Text(), "a.b10.c");
}

TEST(CreateOps, FolderConflictModes)
{
    ScratchFolder scratch("create");
    std::string dir = scratch / "dir";
    CCreateFolderOp first(dir.c_str(), ConflictMode::Fail);
    EXPECT_EQ(first.Status(), FileStatus::Ok);
    EXPECT_EQ(first.ResultPath().Text(), dir);
    EXPECT_TRUE(IsFolderForTests(dir));

    CCreateFolderOp existing(dir.c_str(), ConflictMode::UseExisting);
    EXPECT_EQ(existing.Status(), FileStatus::Ok);
    EXPECT_EQ(existing.ResultPath().Text(), dir);
    EXPECT_EQ(CCreateFolderOp(dir.c_str(), ConflictMode::Fail).Status(), FileStatus::Conflict);

    CCreateFolderOp numbered(dir.c_str(), ConflictMode::Number);
    EXPECT_EQ(numbered.Status(), FileStatus::Ok);
    EXPECT_EQ(numbered.ResultPath().Text(), scratch / "dir2");
    EXPECT_TRUE(IsFolderForTests(scratch / "dir2"));

    ASSERT_TRUE(WriteTestFile(scratch / "file", "x"));
    EXPECT_EQ(CCreateFolderOp((scratch / "file").c_str(), ConflictMode::UseExisting).Status(), FileStatus::Conflict);
    EXPECT_EQ(CCreateFolderOp((scratch / "missing\\sub").c_str(), ConflictMode::UseExisting).Status(),
              FileStatus::NotFound);
}

TEST(CreateOps, FileNumberingAndKinds)
{
    ScratchFolder scratch("createfile");
    ASSERT_TRUE(WriteTestFile(scratch / "report.txt", "one"));
    ASSERT_TRUE(WriteTestFile(scratch / "report2.txt", "two"));
    CCreateFileOp numbered((scratch / "report.txt").c_str(), ConflictMode::Number);
    EXPECT_EQ(numbered.Status(), FileStatus::Ok);
    EXPECT_EQ(numbered.ResultPath().Text(), scratch / "report3.txt");
    EXPECT_EQ(ReadTestFile(scratch / "report3.txt"), "");
    // The taken names are untouched.
    EXPECT_EQ(ReadTestFile(scratch / "report.txt"), "one");

    CCreateFileOp existing((scratch / "report.txt").c_str(), ConflictMode::UseExisting);
    EXPECT_EQ(existing.Status(), FileStatus::Ok);
    EXPECT_EQ(ReadTestFile(scratch / "report.txt"), "one");
    EXPECT_EQ(CCreateFileOp((scratch / "report.txt").c_str(), ConflictMode::Fail).Status(), FileStatus::Conflict);

    ASSERT_TRUE(CreateDirectoryA((scratch / "folder").c_str(), nullptr));
    EXPECT_NE(CCreateFileOp((scratch / "folder").c_str(), ConflictMode::UseExisting).Status(), FileStatus::Ok);
}

TEST(PathOps, ChildAndParentOnlyOfExistingFolders)
{
    ScratchFolder scratch("child");
    CChildPathOp child(scratch.Path().c_str(), "a:b?.txt");
    EXPECT_EQ(child.Status(), FileStatus::Ok);
    EXPECT_EQ(child.ResultPath().Text(), scratch / "a_b_.txt");

    ASSERT_TRUE(WriteTestFile(scratch / "plain", "x"));
    CChildPathOp ofFile((scratch / "plain").c_str(), "a");
    EXPECT_EQ(ofFile.Status(), FileStatus::Failed);
    EXPECT_TRUE(ofFile.ResultPath().IsEmpty());
    EXPECT_EQ(CChildPathOp((scratch / "missing").c_str(), "a").Status(), FileStatus::Failed);

    CParentFolderOp parent((scratch / "plain").c_str());
    EXPECT_EQ(parent.Status(), FileStatus::Ok);
    EXPECT_EQ(parent.ResultPath().Text(), scratch.Path());
    EXPECT_EQ(CParentFolderOp((scratch / "missing\\x").c_str()).Status(), FileStatus::Failed);
    EXPECT_EQ(CParentFolderOp((scratch / "plain\\x").c_str()).Status(), FileStatus::Failed);
    EXPECT_EQ(CParentFolderOp("C:\\").Status(), FileStatus::Failed);
    CParentFolderOp root("C:\\Windows");
    EXPECT_EQ(root.Status(), FileStatus::Ok);
    EXPECT_STREQ(root.ResultPath().Text(), "C:\\");
}

TEST(RenameOp, CaseOnlyConflictsAndNumbers)
{
    ScratchFolder scratch("rename");
    ASSERT_TRUE(WriteTestFile(scratch / "Name.txt", "n"));
    CRenameOp caseOnly((scratch / "Name.txt").c_str(), "NAME.TXT", ConflictMode::Number);
    EXPECT_EQ(caseOnly.Status(), FileStatus::Ok);
    CFileFind found((scratch / "name.txt").c_str(), false);
    ASSERT_TRUE(found.Found());
    EXPECT_STREQ(found.Name(), "Name.txt");

    ASSERT_TRUE(WriteTestFile(scratch / "b.txt", "b"));
    EXPECT_EQ(CRenameOp((scratch / "Name.txt").c_str(), "b.txt", ConflictMode::UseExisting).Status(),
              FileStatus::Conflict);
    // A rename has no separate Fail behaviour: it renumbers like Number.
    CRenameOp numbered((scratch / "Name.txt").c_str(), "b.txt", ConflictMode::Fail);
    EXPECT_EQ(numbered.Status(), FileStatus::Ok);
    EXPECT_EQ(numbered.ResultPath().Text(), scratch / "b2.txt");
    EXPECT_EQ(ReadTestFile(scratch / "b2.txt"), "n");
    EXPECT_EQ(ReadTestFile(scratch / "b.txt"), "b");
    EXPECT_FALSE(Exists(scratch / "Name.txt"));

    EXPECT_EQ(CRenameOp((scratch / "gone.txt").c_str(), "x.txt", ConflictMode::Number).Status(), FileStatus::NotFound);
}

TEST(DeleteOps, FilesFoldersAndTrees)
{
    ScratchFolder scratch("delete");
    ASSERT_TRUE(WriteTestFile(scratch / "f", "x"));
    EXPECT_EQ(CDeleteFileOp((scratch / "f").c_str()).Status(), FileStatus::Ok);
    EXPECT_FALSE(Exists(scratch / "f"));
    EXPECT_EQ(CDeleteFileOp((scratch / "f").c_str()).Status(), FileStatus::NotFound);

    std::string tree = scratch / "tree";
    ASSERT_TRUE(CreateDirectoryA(tree.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((tree + "\\inner").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((tree + "\\.hidden").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(tree + "\\inner\\a", "a"));
    ASSERT_TRUE(WriteTestFile(tree + "\\.hidden\\b", "b"));
    ASSERT_TRUE(WriteTestFile(tree + "\\c", "c"));
    EXPECT_EQ(CRemoveFolderOp(tree.c_str()).Status(), FileStatus::Failed);
    EXPECT_TRUE(Exists(tree + "\\c"));

    EXPECT_EQ(CDeleteTreeOp(tree.c_str()).Status(), FileStatus::Ok);
    EXPECT_FALSE(Exists(tree));
    EXPECT_EQ(CDeleteTreeOp(tree.c_str()).Status(), FileStatus::NotFound);
    EXPECT_TRUE(IsFolderForTests(scratch.Path()));

    ASSERT_TRUE(CreateDirectoryA((scratch / "empty").c_str(), nullptr));
    EXPECT_EQ(CRemoveFolderOp((scratch / "empty").c_str()).Status(), FileStatus::Ok);
}

TEST(EnsureParentFolders, CreatesEveryMissingFolderAboveThePath)
{
    ScratchFolder scratch("ensure");
    std::string link = scratch / "A\\B\\link.lnk";
    EXPECT_EQ(EnsureParentFolders(link.c_str()), 0u);
    EXPECT_TRUE(IsFolderForTests(scratch / "A"));
    EXPECT_TRUE(IsFolderForTests(scratch / "A\\B"));
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ(EnsureParentFolders(link.c_str()), 0u); // all there already

    ASSERT_TRUE(WriteTestFile(scratch / "file", "x"));
    EXPECT_NE(EnsureParentFolders((scratch / "file\\sub\\x").c_str()), 0u);
    // A bare name or a drive root has nothing above it to create.
    EXPECT_EQ(EnsureParentFolders("name.txt"), 0u);
    EXPECT_EQ(EnsureParentFolders("C:\\x.txt"), 0u);
}

TEST(CTempFile, CreatesNumberedNamesAndDeletesUnlessKept)
{
    ScratchFolder scratch("temp");
    std::string firstPath, secondPath, keptPath;
    {
        CTempFile first(scratch.Path().c_str(), "ins");
        CTempFile second(scratch.Path().c_str(), "ins");
        CTempFile kept(scratch.Path().c_str(), "unins.bat");
        ASSERT_TRUE(first.Created());
        ASSERT_TRUE(second.Created());
        ASSERT_TRUE(kept.Created());
        firstPath = first.Path().Text();
        secondPath = second.Path().Text();
        keptPath = kept.Path().Text();
        EXPECT_NE(firstPath, secondPath);
        EXPECT_EQ(firstPath.rfind(scratch / "ins", 0), 0u);
        EXPECT_GT(firstPath.size(), (scratch / "ins").size());
        EXPECT_EQ(keptPath.substr(keptPath.size() - 4), ".bat");
        EXPECT_EQ(keptPath.rfind(scratch / "unins", 0), 0u);
        EXPECT_TRUE(Exists(firstPath));
        kept.Keep();
    }
    EXPECT_FALSE(Exists(firstPath));
    EXPECT_FALSE(Exists(secondPath));
    EXPECT_TRUE(Exists(keptPath));
    CTempFile nowhere((scratch / "missing").c_str(), "ins");
    EXPECT_FALSE(nowhere.Created());
}

TEST(TruePath, SpellsExistingComponentsAsStored)
{
    ScratchFolder scratch("truepath");
    ASSERT_TRUE(CreateDirectoryA((scratch / "MixedCase").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(scratch / "MixedCase\\File.TXT", "x"));
    std::string lower = scratch / "mixedcase\\file.txt";
    LString truePath = TruePath(lower.c_str());
    EXPECT_EQ(truePath.Text(), scratch / "MixedCase\\File.TXT");
    // What does not exist stays as written.
    EXPECT_EQ(TruePath((scratch / "mixedcase\\New.txt").c_str()).Text(), scratch / "MixedCase\\New.txt");
    EXPECT_STREQ(TruePath("C:\\").Text(), "C:");

    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA((scratch / "MixedCase").c_str()));
    LString full = FullPath("file.txt");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(full.Text(), scratch / "MixedCase\\File.TXT");

    EXPECT_TRUE(IsFolder((scratch / "MixedCase").c_str()));
    EXPECT_FALSE(IsFolder((scratch / "MixedCase\\File.TXT").c_str()));
    EXPECT_FALSE(IsFolder((scratch / "nothing").c_str()));
}
