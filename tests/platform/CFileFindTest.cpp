#include "platform/CFileFind.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace testsupport;

TEST(CFileFind, ListsChildrenWithoutDotEntries)
{
    ScratchFolder scratch("find");
    // Folders whose names begin with '.' are listed like any other.
    ASSERT_TRUE(CreateDirectoryA((scratch / ".config").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((scratch / "..more").c_str(), nullptr));
    ASSERT_TRUE(WriteTestFile(scratch / "a.txt", "a"));
    ASSERT_TRUE(WriteTestFile(scratch / "b.txt", "bb"));
    ASSERT_TRUE(CreateDirectoryA((scratch / "sub").c_str(), nullptr));
    std::set<std::string> names;
    std::set<std::string> paths;
    CFileFind find(scratch.Path().c_str(), true);
    for (; find.Found(); find.Next()) {
        names.insert(find.Name());
        paths.insert(find.EntryPath().Text());
    }
    EXPECT_EQ(find.Status(), FileStatus::Conflict);
    EXPECT_EQ(names, (std::set<std::string>{".config", "..more", "a.txt", "b.txt", "sub"}));
    EXPECT_EQ(paths.count(scratch / "sub"), 1u);

    ASSERT_TRUE(CreateDirectoryA((scratch / "empty").c_str(), nullptr));
    EXPECT_EQ(CFileFind((scratch / "empty").c_str(), true).Status(), FileStatus::Conflict);
    EXPECT_EQ(CFileFind((scratch / "absent").c_str(), true).Status(), FileStatus::Conflict);
}

TEST(CFileFind, SingleEntryCarriesTrueCaseSizeAndKind)
{
    ScratchFolder scratch("single");
    ASSERT_TRUE(WriteTestFile(scratch / "Data.Bin", "12345"));
    CFileFind find((scratch / "data.bin").c_str(), false);
    ASSERT_TRUE(find.Found());
    EXPECT_STREQ(find.Name(), "Data.Bin");
    EXPECT_EQ(find.EntryPath().Text(), scratch / "Data.Bin");
    EXPECT_EQ(find.Size(), 5u);
    EXPECT_FALSE(find.IsFolder());
    find.Next();
    EXPECT_EQ(find.Status(), FileStatus::Conflict);
    EXPECT_EQ(CFileFind((scratch / "none").c_str(), false).Status(), FileStatus::Conflict);
    EXPECT_TRUE(CFileFind(scratch.Path().c_str(), false).IsFolder());
}

TEST(CFileFind, ApplyWritesTimesAndAttributes)
{
    ScratchFolder scratch("apply");
    ASSERT_TRUE(WriteTestFile(scratch / "f", "x"));
    FILETIME creation = {0x12345600u, 0x01A00000u};
    FILETIME lastWrite = {0x65432100u, 0x01B00000u};
    {
        CFileFind target((scratch / "f").c_str(), false);
        ASSERT_TRUE(target.Found());
        target.SetTimes(creation, lastWrite);
        target.SetWritable(false);
        target.Apply();
        EXPECT_EQ(target.Status(), FileStatus::Ok);
    }
    CFileFind check((scratch / "f").c_str(), false);
    ASSERT_TRUE(check.Found());
    EXPECT_TRUE(check.IsReadOnly());
    EXPECT_EQ(CompareFileTime(&check.LastWriteTime(), &lastWrite), 0);
    SetFileAttributesA((scratch / "f").c_str(), FILE_ATTRIBUTE_NORMAL);

    // A file that is gone by the time of Apply is reported.
    CFileFind vanished((scratch / "f").c_str(), false);
    ASSERT_TRUE(DeleteFileA((scratch / "f").c_str()));
    vanished.Apply();
    EXPECT_EQ(vanished.Status(), FileStatus::NotFound);
    // Folders are left alone.
    CFileFind folder(scratch.Path().c_str(), false);
    folder.Apply();
    EXPECT_EQ(folder.Status(), FileStatus::Ok);
}
