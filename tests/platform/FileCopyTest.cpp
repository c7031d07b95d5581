#include "platform/FileCopy.h"
#include "platform/CFileFind.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

TEST(FileCopy, BufferSizeFollowsTheFileBetweenLimits)
{
    EXPECT_EQ(CopyBufferSize(0), 16u);
    EXPECT_EQ(CopyBufferSize(10), 16u);
    EXPECT_EQ(CopyBufferSize(16), 16u);
    EXPECT_EQ(CopyBufferSize(17), 17u);
    EXPECT_EQ(CopyBufferSize(1024 * 1024), 1024u * 1024u);
    EXPECT_EQ(CopyBufferSize(5 * 1024 * 1024), 1024u * 1024u);
}

TEST(FileCopy, ContentsOfAnySizeReplaceALongerDestination)
{
    ScratchFolder scratch("copy");
    std::string big(5 * 1024 * 1024 + 123, '\0');
    for (size_t i = 0; i < big.size(); ++i)
        big[i] = static_cast<char>(i * 7 + i / 4096);
    for (const std::string& contents : {std::string(), std::string("ten bytes!"), std::string(1024 * 1024, 'x'), big}) {
        ASSERT_TRUE(WriteTestFile(scratch / "from", contents));
        ASSERT_TRUE(WriteTestFile(scratch / "to", std::string(contents.size() + 5000, 'o')));
        EXPECT_EQ(CopyFileContents((scratch / "from").c_str(), (scratch / "to").c_str()), kCopyDone);
        EXPECT_TRUE(ReadTestFile(scratch / "to") == contents) << contents.size();
    }
}

TEST(FileCopy, MissingOrFolderEndsGiveTheirCodes)
{
    ScratchFolder scratch("copyends");
    ASSERT_TRUE(WriteTestFile(scratch / "from", "x"));
    ASSERT_TRUE(CreateDirectoryA((scratch / "folder").c_str(), nullptr));
    EXPECT_EQ(CopyFileContents((scratch / "none").c_str(), (scratch / "from").c_str()), kCopySourceFailed);
    // The destination is never created by the copy.
    EXPECT_EQ(CopyFileContents((scratch / "from").c_str(), (scratch / "new").c_str()), kCopyDestinationFailed);
    EXPECT_FALSE(Exists(scratch / "new"));
    EXPECT_EQ(CopyFileStamp((scratch / "folder").c_str(), (scratch / "from").c_str()), kCopySourceFailed);
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "folder").c_str()), kCopyDestinationFailed);
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "none").c_str()), kCopyDestinationFailed);
}

TEST(FileCopy, StampCarriesTimesAndTheReadOnlyBit)
{
    ScratchFolder scratch("stamp");
    ASSERT_TRUE(WriteTestFile(scratch / "from", "x"));
    ASSERT_TRUE(WriteTestFile(scratch / "to", "x"));
    FILETIME old = {0x11111100u, 0x01900000u};
    {
        CFileFind source((scratch / "from").c_str(), false);
        source.SetTimes(old, old);
        source.SetWritable(false);
        source.Apply();
        ASSERT_TRUE(source.Found());
    }
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "to").c_str()), kCopyDone);
    CFileFind copied((scratch / "to").c_str(), false);
    ASSERT_TRUE(copied.Found());
    EXPECT_TRUE(copied.IsReadOnly());
    EXPECT_EQ(CompareFileTime(&copied.LastWriteTime(), &old), 0);

    // A writable source makes a read-only destination writable again.
    SetFileAttributesA((scratch / "from").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesA((scratch / "to").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "to").c_str()), kCopyDone);
    EXPECT_FALSE(CFileFind((scratch / "to").c_str(), false).IsReadOnly());
}

TEST(FileCopy, CCopyOutcomeKeepsTheFirstFailure)
{
    CCopyOutcome outcome;
    outcome.Take(kCopyDone);
    outcome.Take(kCopyReadError);
    outcome.Take(kCopyWriteError);
    EXPECT_EQ(outcome.Result(), kCopyReadError);
}
