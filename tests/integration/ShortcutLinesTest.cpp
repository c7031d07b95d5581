// Shortcut lines made into real shell links through Wine's link object and read back.
#include "install/CTextLines.h"
#include "integration/CVariables.h"
#include "integration/ShellLink.h"
#include "integration/ShortcutLines.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <shlobj.h>

#include <initializer_list>
#include <string>

using testsupport::Exists;
using testsupport::IsFolderForTests;
using testsupport::ReadTestFile;
using testsupport::ScratchFolder;
using testsupport::WriteTestFile;

namespace {

// The target path stored in a link file, or "<unreadable>".
std::string LinkTarget(const std::string& linkPath)
{
    std::string target = "<unreadable>";
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    link->Release();
    return target;
}

class ShortcutLines : public ::testing::Test {
protected:
    ShortcutLines() : m_scratch("links")
    {
        m_oleReady = SUCCEEDED(OleInitialize(nullptr));
        CreateDirectoryA((m_scratch / "Dest").c_str(), nullptr);
        CreateDirectoryA((m_scratch / "Start").c_str(), nullptr);
        WriteTestFile(m_scratch / "Dest\\App.exe", "MZ");
        WriteTestFile(m_scratch / "Dest\\index.html", "<html></html>");
        m_variables.Set("DEST", (m_scratch / "Dest").c_str());
        m_variables.Set("START", (m_scratch / "Start").c_str());
    }
    ~ShortcutLines() override
    {
        if (m_oleReady)
            OleUninitialize();
    }

    void Add(std::initializer_list<const char*> lines)
    {
        for (const char* line : lines)
            ASSERT_TRUE(m_lines.Append(LString(line)));
    }

    ScratchFolder m_scratch;
    bool m_oleReady = false;
    CVariables m_variables;
    CTextLines m_lines;
};

} // namespace

TEST_F(ShortcutLines, CreatesLinksWithTheirGroupFoldersAndRemovesThem)
{
    ASSERT_TRUE(m_oleReady);
    Add({
        "\"%START%\\Sample Group\"",
        "\"%START%\\Sample Group\\Sample.lnk\" \"%DEST%\\App.exe\"",
        "\"%START%\\Sample Group\\Manual.lnk\" \"%DEST%\\index.html\" ignored text",
        "\"%DEST%\\Manual.lnk\" \"%DEST%\\index.html\"",
    });
    CreateShortcutLines(m_variables, m_lines);
    EXPECT_TRUE(IsFolderForTests(m_scratch / "Start\\Sample Group"));
    EXPECT_EQ(LinkTarget(m_scratch / "Start\\Sample Group\\Sample.lnk"), m_scratch / "Dest\\App.exe");
    EXPECT_EQ(LinkTarget(m_scratch / "Start\\Sample Group\\Manual.lnk"), m_scratch / "Dest\\index.html");
    EXPECT_EQ(LinkTarget(m_scratch / "Dest\\Manual.lnk"), m_scratch / "Dest\\index.html");

    RemoveShortcutLines(m_variables, m_lines);
    EXPECT_FALSE(Exists(m_scratch / "Start\\Sample Group"));
    EXPECT_FALSE(Exists(m_scratch / "Dest\\Manual.lnk"));
    EXPECT_TRUE(Exists(m_scratch / "Dest\\index.html"));
    EXPECT_TRUE(IsFolderForTests(m_scratch / "Start"));
}

TEST_F(ShortcutLines, AnExistingFileAtTheShortcutPathIsReplaced)
{
    ASSERT_TRUE(m_oleReady);
    ASSERT_TRUE(WriteTestFile(m_scratch / "Start\\Sample.lnk", "not a link"));
    Add({"\"%START%\\Sample.lnk\" \"%DEST%\\App.exe\""});
    CreateShortcutLines(m_variables, m_lines);
    EXPECT_NE(ReadTestFile(m_scratch / "Start\\Sample.lnk"), "not a link");
    EXPECT_EQ(LinkTarget(m_scratch / "Start\\Sample.lnk"), m_scratch / "Dest\\App.exe");
}

TEST_F(ShortcutLines, ASingleTokenLineCreatesNothing)
{
    Add({"\"%START%\\Lonely Group\"", "\"%START%\\Lonely Group\\x.lnk\""});
    CreateShortcutLines(m_variables, m_lines);
    EXPECT_FALSE(Exists(m_scratch / "Start\\Lonely Group"));
}

TEST_F(ShortcutLines, RemovalGoesOnPastPathsAlreadyGone)
{
    ASSERT_TRUE(WriteTestFile(m_scratch / "Start\\Kept.lnk", "x"));
    ASSERT_TRUE(WriteTestFile(m_scratch / "Start\\Second.lnk", "x"));
    Add({"\"%START%\\Second.lnk\" x", "\"%START%\\Deleted By The User.lnk\" x"});
    RemoveShortcutLines(m_variables, m_lines);
    EXPECT_FALSE(Exists(m_scratch / "Start\\Second.lnk"));
    EXPECT_TRUE(Exists(m_scratch / "Start\\Kept.lnk"));
}

TEST_F(ShortcutLines, ALineWithAPlaceholderThatGaveNothingIsSkippedBothWays)
{
    // With START unset, "%START%\Vendor\..." names a folder in the root of the current drive.
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(m_scratch.Path().c_str()));
    const std::string vendor = m_scratch.Path().substr(2) + "\\Dest";
    const std::string group = "\"%UNSET%" + vendor + "\"";
    const std::string link = "\"%UNSET%" + vendor + "\\Sample.lnk\" \"%DEST%\\App.exe\"";
    Add({group.c_str(), link.c_str()});
    CreateShortcutLines(m_variables, m_lines);
    EXPECT_FALSE(Exists(m_scratch / "Dest\\Sample.lnk"));
    RemoveShortcutLines(m_variables, m_lines);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(Exists(m_scratch / "Dest\\App.exe"));
}

TEST(CreateShellLink, ReportsTheFailureToSave)
{
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    ScratchFolder scratch("badlink");
    // The folder of the shortcut does not exist, so saving must fail and say so.
    HRESULT result = CreateShellLink("C:\\windows\\notepad.exe", (scratch / "Missing\\x.lnk").c_str(), "A description");
    EXPECT_TRUE(FAILED(result));
    EXPECT_FALSE(Exists(scratch / "Missing\\x.lnk"));

    EXPECT_EQ(CreateShellLink("C:\\windows\\notepad.exe", (scratch / "ok.lnk").c_str(), "A description"), S_OK);
    EXPECT_EQ(LinkTarget(scratch / "ok.lnk"), "C:\\windows\\notepad.exe");
    OleUninitialize();
}
