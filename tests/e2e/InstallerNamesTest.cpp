// Products whose names and texts are not ASCII, packed in their code page from a UTF-8
// description and installed for a user of their language: the installed names are the source
// names, and the window shows the description's texts. One executable per prefix: the English
// user's and the Japanese user's (ANSI code page 932).
#include "tests/e2e/InstallerSession.h"
#include "tests/install/TreeSnapshot.h"
#include "tests/support/Screenshot.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace e2e;

namespace {

struct NamesCase {
    const char* name;
    const char* codePage;
    const char* description; // UTF-8
    const wchar_t* folder;   // the <Folder> the user gets
    const wchar_t* title;    // the install window's title the user gets
    std::set<std::wstring> files;
};

std::string Ansi(const std::wstring& wide)
{
    const int size = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, &text[0], size, nullptr, nullptr);
    text.resize(text.size() - 1);
    return text;
}

class NamesTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(NamesTest, InstallsExactlyTheSourceNames)
{
    const NamesCase& c = GetParam();
    const std::string work = "C:\\e2e-names";
    const std::string product = "C:\\Program Files\\" + Ansi(c.folder);
    testsupport::RemoveTreeForTests(product);
    ProductFiles files;
    std::set<std::string> names;
    for (const std::wstring& file : c.files) {
        files.emplace_back(Ansi(file), "");
        names.insert(Ansi(file));
    }
    const std::string setup = PackProduct(work, "Setup.exe", files, c.description, std::string("--codepage ") + c.codePage);
    ASSERT_NE(setup, "");

    Program installer(setup);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(window);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    EXPECT_EQ(std::wstring(title), c.title);
    EXPECT_NE(testsupport::SaveScreenshot(std::string(c.name) + "-install-page", window), "");
    ASSERT_TRUE(Press(window, kInstallButton));
    HWND notice = WaitForDialog(installer.Id(), kMessageTitle);
    ASSERT_TRUE(notice);
    ASSERT_TRUE(Press(notice, kOkButton));
    EXPECT_EQ(installer.WaitForExit(), 0);

    std::set<std::string> installed;
    for (const auto& entry : testsupport::TakeSnapshot(product)) {
        if (!entry.second.folder && entry.first != "Uninstall\\Uninstall.exe")
            installed.insert(entry.first);
    }
    EXPECT_TRUE(installed == names) << installed.size() << " files installed";
    testsupport::RemoveTreeForTests(product);
    testsupport::RemoveTreeForTests(work);
}

INSTANTIATE_TEST_SUITE_P(Products, NamesTest, ::testing::Values(
    NamesCase{"Latin", "1252",
              "<InsWin>\nCafé Installer\n\n<Folder>\n\"Café Tool\"\n",
              L"Café Tool", L"Café Installer",
              {L"café.txt", L"Résumé\\naïve.txt", L"Ünïcode ©.txt"}},
    NamesCase{"Japanese", "932",
              "<InsWin>\nSample Installer\n<InsWin>1041\nサンプル インストーラ\n\n"
              "<Folder>\n\"Sample Tool\"\n<Folder>1041\n\"サンプル表示\"\n\n"
              "<InsText>1041\nこのアプリケーションはサンプルをインストールします。\n",
              L"サンプル表示", L"サンプル インストーラ",
              {L"日本語.txt", L"マニュアル\\表示.txt", L"ソフト.ini"}}),
    [](const ::testing::TestParamInfo<NamesCase>& info) { return std::string(info.param.name); });

} // namespace
