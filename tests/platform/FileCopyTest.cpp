#include "platform/FileCopy.h"
#include "platform/CFileFind.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

// Empty, small, exactly the largest buffer and larger than it, each over a longer destination.
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
    ASSERT_TRUE(CreateDirectoryA((scratch / "folder").c_str(), nullptr));
    EXPECT_EQ(CopyFileContents((scratch / "none").c_str(), (scratch / "from").c_str()), kCopySourceFailed);
    // The destination is never created by the copy.
    EXPECT_EQ(CopyFileContents((scratch / "from").c_str(), (scratch / "new").c_str()), kCopyDestinationFailed);
    EXPECT_FALSE(Exists(scratch / "new"));
    EXPECT_EQ(CopyFileStamp((scratch / "folder").c_str(), (scratch / "from").c_str()), kCopySourceFailed);
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "folder").c_str()), kCopyDestinationFailed);
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "none").c_str()), kCopyDestinationFailed);
}

// The finder writes the times and the read-only bit to one file; the stamp carries them to
// another. (Wine keeps no creation time on a Linux file system, so only the write time is seen.)
TEST(FileCopy, StampCarriesTheTimesAndTheReadOnlyBit)
{
    ScratchFolder scratch("stamp");
    ASSERT_TRUE(WriteTestFile(scratch / "from", "x"));
    ASSERT_TRUE(WriteTestFile(scratch / "to", "x"));
    const FILETIME created = {0x12345600u, 0x01A00000u}, written = {0x65432100u, 0x01B00000u};
    {
        CFileFind source((scratch / "from").c_str(), false);
        source.SetTimes(created, written);
        source.SetWritable(false);
        source.Apply();
        ASSERT_EQ(source.Status(), FileStatus::Ok);
    }
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "to").c_str()), kCopyDone);
    for (const char* name : {"from", "to"}) {
        CFileFind copied((scratch / name).c_str(), false);
        ASSERT_TRUE(copied.Found());
        EXPECT_TRUE(copied.IsReadOnly()) << name;
        EXPECT_EQ(CompareFileTime(&copied.LastWriteTime(), &written), 0) << name;
    }

    // A writable source makes a read-only destination writable again.
    SetFileAttributesA((scratch / "from").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(CopyFileStamp((scratch / "from").c_str(), (scratch / "to").c_str()), kCopyDone);
    EXPECT_FALSE(CFileFind((scratch / "to").c_str(), false).IsReadOnly());
}
