// String lists over the resources linked into this test program, through the default chain
// and through hand-made chains. Built twice: for the English prefix and, with JAPANESE_USER,
// for the prefix whose user locale is Japanese.
#include "framework/LMenu.h"
#include "resources/LLocalResSource.h"
#include "resources/LResDefaultChain.h"
#include "resources/LResSourceChain.h"
#include "resources/LStrList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// "インストール先：" and "ヘルプ(&H)" in code page 932.
const char* const kInstallToJ = "\x83\x43\x83\x93\x83\x58\x83\x67\x81\x5B\x83\x8B\x90\xE6\x81\x46";
const char* const kHelpJ = "\x83\x77\x83\x8B\x83\x76(&H)";

HINSTANCE Self() { return GetModuleHandleA(nullptr); }

class DefaultChain : public ::testing::Test {
protected:
    void TearDown() override { LResDefaultChain::Destroy(); }
};

TEST_F(DefaultChain, UserLocaleOfThisPrefixChoosesTheLanguage)
{
    ASSERT_NE(LResDefaultChain::Create(Self()), nullptr);
    LStrList target("TGTFRM", LStrList::kStrings);
    ASSERT_EQ(target.Count(), 4);
#ifdef JAPANESE_USER
    EXPECT_EQ(LResDefaultChain::LanguageId(), 1041);
    EXPECT_STREQ(target.Get(3).Text(), kInstallToJ);
#else
    EXPECT_EQ(LResDefaultChain::LanguageId(), 0);
    EXPECT_STREQ(target.Get(3).Text(), "Install to: ");
#endif
    // No Japanese variant: every user reads the English texts.
    LStrList reg("USERREG", LStrList::kStrings);
    EXPECT_STREQ(reg.Get(1).Text(), "Setup");
}

TEST_F(DefaultChain, MenusLoadThroughTheChainInTheirLanguage)
{
    LResDefaultChain::CreateForLocale(Self(), 0x0411);
    LStrList bar("APP", LStrList::kMenuBar); // no APP_J
    ASSERT_EQ(bar.Count(), 3);
    EXPECT_STREQ(bar.Get(2).Text(), "HELP");

    LMenu::Strings strings;
    ASSERT_TRUE(LMenu::Load("HELP", &strings));
    ASSERT_EQ(strings.Count(), 2);
    EXPECT_EQ(std::string(strings.At(0)->Text()), std::string("HELP\n") + kHelpJ + "\n");
    EXPECT_FALSE(LMenu::Load("NOSUCHMENU", &strings));

    LResDefaultChain::Destroy();
    EXPECT_FALSE(LMenu::Load("HELP", &strings));
    EXPECT_EQ(LStrList("HELP", LStrList::kMenu).Count(), 0);
}

TEST_F(DefaultChain, AListIsFoundByItsNameAndType)
{
    LResDefaultChain::CreateForLocale(Self(), 0x0409);
    LStrList missing("NOSUCHLIST", LStrList::kStrings);
    EXPECT_EQ(missing.Count(), 0);
    EXPECT_TRUE(missing.Get(0).IsEmpty());
    // The same name under another type is another resource.
    EXPECT_EQ(LStrList("INSTWIN", LStrList::kLayout).Count(), 3);
    EXPECT_EQ(LStrList("INSTWIN", LStrList::kStrings).Count(), 1);
    EXPECT_EQ(LStrList("ERRINS", LStrList::kLayout).Count(), 0);
}

TEST_F(DefaultChain, IntegerIdsAreLookedUpWithoutASuffix)
{
    LResDefaultChain::CreateForLocale(Self(), 0x0411);
    LStrList byNumber(MAKEINTRESOURCEA(7), LStrList::kStrings);
    EXPECT_EQ(byNumber.Count(), 0);
}

TEST(LStrList, WithoutAnySourceTheListStaysEmpty)
{
    ASSERT_EQ(LResSourceChain::Default(), nullptr);
    LStrList list("ERRINS", LStrList::kStrings);
    EXPECT_EQ(list.Count(), 0);
}

// A source that finds every name it was made for, with bytes of its own.
class FixedSource : public LResSource {
public:
    FixedSource(const char* name, const std::string& bytes, WORD language, std::vector<std::string>* asked)
        : LResSource(nullptr), m_name(name), m_bytes(bytes), m_language(language), m_asked(asked) {}
    bool Load(const char* name, LStrList* list) override
    {
        m_asked->push_back(m_bytes.substr(2, 1) + ":" + name);
        if (m_name != name)
            return false;
        list->Attach(m_bytes.data(), m_bytes.size());
        return true;
    }
    WORD LanguageId() const override { return m_language; }

private:
    std::string m_name;
    std::string m_bytes;
    WORD m_language;
    std::vector<std::string>* m_asked;
};

TEST(LResSourceChain, LastAddedIsAskedFirstAndFirstFinderWins)
{
    std::vector<std::string> asked;
    LResSourceChain chain;
    chain.Add(new FixedSource("X", std::string("\x01\x00" "a\0", 4), 0, &asked));
    chain.Add(new FixedSource("Y", std::string("\x01\x00" "b\0", 4), 1041, &asked));
    chain.Add(new FixedSource("X", std::string("\x01\x00" "c\0", 4), 0, &asked));
    chain.Add(nullptr);

    LStrList x("X", LStrList::kStrings, &chain);
    EXPECT_STREQ(x.Get(0).Text(), "c");
    EXPECT_EQ(asked, (std::vector<std::string>{"c:X"}));

    asked.clear();
    LStrList y("Y", LStrList::kStrings, &chain);
    EXPECT_STREQ(y.Get(0).Text(), "b");
    EXPECT_EQ(asked, (std::vector<std::string>{"c:Y", "b:Y"}));

    asked.clear();
    EXPECT_EQ(LStrList("Z", LStrList::kStrings, &chain).Count(), 0);
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_EQ(chain.LanguageId(), 1041);
}

TEST(LLocalResSource, PrefersTheVariantAndFallsBack)
{
    LLocalResSource japanese(nullptr, 1041);
    EXPECT_STREQ(japanese.Suffix().Text(), "_J");
    EXPECT_STREQ(LStrList("TGTFRM", LStrList::kStrings, &japanese).Get(3).Text(), kInstallToJ);
    EXPECT_STREQ(LStrList("USERREG", LStrList::kStrings, &japanese).Get(0).Text(), "User Registration");

    LLocalResSource english(nullptr, 0);
    EXPECT_TRUE(english.Suffix().IsEmpty());
    EXPECT_EQ(english.LanguageId(), 0);
    EXPECT_STREQ(LStrList("TGTFRM", LStrList::kStrings, &english).Get(3).Text(), "Install to: ");
    // Asking for the variant by its own name also works.
    EXPECT_STREQ(LStrList("TGTFRM_J", LStrList::kStrings, &english).Get(3).Text(), kInstallToJ);
}

TEST(ResourceDirectory, EveryResourceIsStoredUnderUsEnglish)
{
    const WORD usEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
    EXPECT_NE(FindResourceExA(nullptr, "RT_TSTR", "ERRINS_J", usEnglish), nullptr);
    EXPECT_NE(FindResourceExA(nullptr, "RT_TMNB", "APP", usEnglish), nullptr);
    EXPECT_NE(FindResourceExA(nullptr, "RT_TLYO", "USERREG", usEnglish), nullptr);
    EXPECT_NE(FindResourceExA(nullptr, "RT_TMNU", "EDIT_J", usEnglish), nullptr);
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
    EXPECT_NE(FindResourceA(exe, "STDLAYOUT", "RT_TLYO") != nullptr ||
              FindResourceA(exe, "HOWDY", "RT_TLYO") != nullptr, false);
    HRSRC group = FindResourceA(exe, "APP", MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    // The group names two images: 32 and 16 pixels, 16 colours.
    const BYTE* dir = static_cast<const BYTE*>(LockResource(LoadResource(exe, group)));
    ASSERT_NE(dir, nullptr);
    ASSERT_EQ(dir[4] | (dir[5] << 8), 2);
    EXPECT_EQ(dir[6], 32);
    EXPECT_EQ(dir[6 + 14], 16);
    EXPECT_EQ(dir[8], 16);
    EXPECT_NE(FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)), nullptr); // version
    HRSRC manifest = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(manifest, nullptr);
    const char* xml = static_cast<const char*>(LockResource(LoadResource(exe, manifest)));
    const std::string text(xml, SizeofResource(exe, manifest));
    EXPECT_NE(text.find("requireAdministrator"), std::string::npos);
    EXPECT_NE(text.find("supportedOS"), std::string::npos);
    FreeLibrary(exe);
}
#endif

} // namespace
