// Runs for a Japanese user (ANSI code page 932): double-byte names whose second byte is 0x5C
// ('\') must survive every path, registry key and URL step whole, with the system's own CharNextA.
#include "install/CInstDesc.h"
#include "integration/KeyPath.h"
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "platform/FileUrl.h"
#include "platform/PathText.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>

using namespace testsupport;

namespace {

// "表示" and "ソフト": the first character of each has 0x5C as its second byte.
const std::string kDisplay = "\x95\x5c\x8e\xa6";
const std::string kSoft = "\x83\x5c\x83\x74\x83\x67";

} // namespace

// The path functions themselves are checked by the path text tests, which run here as well.
TEST(JapaneseText, RegistryKeysKeepDoubleByteCharactersWhole)
{
    ASSERT_EQ(GetACP(), 932u);
    EXPECT_EQ(CInstDesc::UserDefaultLanguage(), 1041u);
    EXPECT_EQ(SanitizeName(LString((kSoft + "?").c_str())).Text(), kSoft + "_");
    EXPECT_EQ(LastKeyName(("Software\\" + kSoft).c_str()).Text(), kSoft);
    EXPECT_EQ(ParentKey((kSoft + "\\" + kDisplay).c_str()).Text(), kSoft);
}

TEST(JapaneseText, FileUrlSegmentsDecodeToWholeDoubleByteNames)
{
    // The host may not be able to store such names, so only the last segment (which is not
    // created) carries them.
    ScratchFolder scratch("ja");
    LString base = PathToFileUrl(scratch.Path().c_str());
    ASSERT_FALSE(base.IsEmpty());
    // A trailing separator goes, the second byte of the character before it stays.
    EXPECT_EQ(PathToFileUrl((scratch / kDisplay.substr(0, 2) + "\\").c_str()).Text(), std::string(base.Text()) + "/%95%5c");
    CUrl entry = ParseUrl("sub/%95%5c%8e%a6%83%5c");
    Resolve(entry, ParseUrl(base.Text()), true);
    LString path;
    ASSERT_TRUE(FileUrlToPath(entry, true, path));
    EXPECT_EQ(path.Text(), scratch / "sub\\" + kDisplay + "\x83\x5c");
    EXPECT_EQ(LastComponent(path.Text()).Text(), kDisplay + "\x83\x5c");

    CTextBuilder encoded;
    AppendEncodedSegment(encoded, kSoft.data(), kSoft.size());
    EXPECT_STREQ(encoded.Text(), "%83%5c%83t%83g");
}
