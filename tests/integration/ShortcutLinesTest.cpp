// Shortcut lines made into real shell links through Wine's link object and read back.
#include "install/CTextLines.h"
#include "integration/CVariables.h"
#include "integration/ShortcutLines.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <objidl.h>
#include <shlobj.h>

#include <initializer_list>
#include <string>

using testsupport::Exists;
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

    void Create(std::initializer_list<const char*> lines) { Apply(CreateShortcutLines, lines); }
    void Remove(std::initializer_list<const char*> lines) { Apply(RemoveShortcutLines, lines); }
    void Apply(void (*step)(const CVariables&, const CTextLines&), std::initializer_list<const char*> lines)
    {
        CTextLines text;
        for (const char* line : lines)
            ASSERT_TRUE(text.Append(LString(line)));
        step(m_variables, text);
    }

    ScratchFolder m_scratch;
    bool m_oleReady = false;
    CVariables m_variables;
};

} // namespace

TEST_F(ShortcutLines, CreatesLinksWithTheirGroupFoldersAndRemovesThem)
{
    ASSERT_TRUE(m_oleReady);
    ASSERT_TRUE(WriteTestFile(m_scratch / "Start\\Sample.lnk", "not a link, replaced"));
    ASSERT_TRUE(WriteTestFile(m_scratch / "Start\\Kept.lnk", "the user's"));
    const auto lines = {
        "\"%START%\\Sample Group\"",
        "\"%START%\\Sample Group\\Manual.lnk\" \"%DEST%\\index.html\" ignored text",
        "\"%START%\\Sample.lnk\" \"%DEST%\\App.exe\"",
        "\"%START%\\Lonely Group\"", // a group alone, or a link without target, creates nothing
        "\"%START%\\Lonely Group\\x.lnk\"",
        "\"%DEST%\\Deleted By The User.lnk\" \"%DEST%\\App.exe\"",
        // A line in which a placeholder gave nothing is skipped both ways.
        "\"%UNSET%%VENDOR%\"",
        "\"%UNSET%%VENDOR%\\Sample.lnk\" \"%DEST%\\App.exe\"",
    };
    m_variables.Set("VENDOR", (m_scratch / "Dest").c_str());
    Create(lines);
    EXPECT_FALSE(Exists(m_scratch / "Dest\\Sample.lnk"));
    EXPECT_EQ(LinkTarget(m_scratch / "Start\\Sample Group\\Manual.lnk"), m_scratch / "Dest\\index.html");
    EXPECT_EQ(LinkTarget(m_scratch / "Start\\Sample.lnk"), m_scratch / "Dest\\App.exe");
    EXPECT_FALSE(Exists(m_scratch / "Start\\Lonely Group"));
    // Removal goes on past what is gone already.
    ASSERT_TRUE(DeleteFileA((m_scratch / "Dest\\Deleted By The User.lnk").c_str()));
    Remove(lines);
    EXPECT_FALSE(Exists(m_scratch / "Start\\Sample Group"));
    EXPECT_FALSE(Exists(m_scratch / "Start\\Sample.lnk"));
    EXPECT_TRUE(Exists(m_scratch / "Start\\Kept.lnk"));
    EXPECT_TRUE(Exists(m_scratch / "Dest\\index.html"));
    EXPECT_TRUE(Exists(m_scratch / "Dest\\App.exe"));
}
