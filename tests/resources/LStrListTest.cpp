// String lists over the resources linked into this test program, through the default chain
// of sources that the start-up makes. Built twice: for the English prefix and, with JAPANESE_USER,
// for the prefix whose user locale is Japanese.
#include "resources/LStrList.h"

#include "framework/LMenu.h"
#include "resources/LResDefaultChain.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "インストール先：" and "ヘルプ(&H)" in code page 932.
const char* const kInstallToJ = "\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B\x90\xE6\x81\x46";
const char* const kHelpJ = "\x83\x77\x83\x8B\x83\x76(&H)";

class DefaultChain : public ::testing::Test {
protected:
    void TearDown() override { LResDefaultChain::Destroy(); }
};

TEST_F(DefaultChain, TheUserLocaleChoosesTheLanguageAndAListWithoutVariantIsEnglish)
{
    ASSERT_NE(LResDefaultChain::Create(GetModuleHandleA(nullptr)), nullptr);
#ifdef JAPANESE_USER
    EXPECT_EQ(LResDefaultChain::LanguageId(), 1041);
    EXPECT_STREQ(LStrList("TGTFRM", LStrList::kStrings).Get(3).Text(), kInstallToJ);
#else
    EXPECT_EQ(LResDefaultChain::LanguageId(), 0);
    EXPECT_STREQ(LStrList("TGTFRM", LStrList::kStrings).Get(3).Text(), "Install to: ");
#endif
    EXPECT_STREQ(LStrList("USERREG", LStrList::kStrings).Get(1).Text(), "Setup");
}

TEST_F(DefaultChain, ListsAreFoundByNameAndTypeAndMenusLoadInTheirLanguage)
{
    LResDefaultChain::CreateForLocale(GetModuleHandleA(nullptr), 0x0411);
    EXPECT_EQ(LStrList("NOSUCHLIST", LStrList::kStrings).Count(), 0);
    EXPECT_EQ(LStrList("INSTWIN", LStrList::kLayout).Count(), 3);
    EXPECT_EQ(LStrList("INSTWIN", LStrList::kStrings).Count(), 1);
    EXPECT_EQ(LStrList(MAKEINTRESOURCEA(7), LStrList::kStrings).Count(), 0); // no suffix on a number
    EXPECT_STREQ(LStrList("APP", LStrList::kMenuBar).Get(2).Text(), "HELP");

    LMenu::Strings strings;
    ASSERT_TRUE(LMenu::Load("HELP", &strings));
    ASSERT_EQ(strings.Count(), 2);
    EXPECT_EQ(std::string(strings.At(0)->Text()), std::string("HELP\n") + kHelpJ + "\n");
    EXPECT_FALSE(LMenu::Load("NOSUCHMENU", &strings));
    LResDefaultChain::Destroy();
    EXPECT_FALSE(LMenu::Load("HELP", &strings));
    EXPECT_EQ(LStrList("HELP", LStrList::kMenu).Count(), 0); // without any source
    LMenu::FreeStrings(&strings);
}

#ifdef INSTALLER_EXE
// The shipped program carries the same resources, its icon group, version and manifest.
TEST(InstallerExecutable, CarriesItsResources)
{
    std::string path = INSTALLER_EXE;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path; // Wine's drive for the build machine's root
    HMODULE exe = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr) << path;
    EXPECT_NE(FindResourceA(exe, "ERRINS", "RT_TSTR"), nullptr);
    EXPECT_NE(FindResourceA(exe, "HOWDY", "RT_TLYO"), nullptr);
    EXPECT_NE(FindResourceA(exe, "APP", MAKEINTRESOURCEA(14)), nullptr); // the icon group
    EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr); // version
    HRSRC manifest = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(exe, manifest))),
                           SizeofResource(exe, manifest));
    EXPECT_NE(text.find("requireAdministrator"), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
    FreeLibrary(exe);
}
#endif

} // namespace
