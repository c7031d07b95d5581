// Products whose names and texts are not ASCII, packed in their code page from a UTF-8
// description and installed for a user of their language: the installed names, read through
// the wide API, are the source names, and the window shows the description's texts. One
// executable per prefix: the English user's and the Japanese user's (ANSI code page 932).
#include "tests/e2e/InstallerSession.h"
#include "tests/platform/ScratchFolder.h"

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

// Every file below a folder, as paths relative to it.
void ListFiles(const std::wstring& folder, const std::wstring& prefix, std::set<std::wstring>& files)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ListFiles(folder + L"\\" + name, prefix + name + L"\\", files);
        else
            files.insert(prefix + name);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

class NamesTest : public ::testing::TestWithParam<NamesCase> {};

TEST_P(NamesTest, InstallsExactlyTheSourceNames)
{
    const NamesCase& c = GetParam();
    const std::wstring work = L"C:\\e2e-names";
    const std::wstring product = std::wstring(L"C:\\Program Files\\") + c.folder;
    testsupport::RemoveTreeForTests(Ansi(work));
    testsupport::RemoveTreeForTests(Ansi(product));
    CreateDirectoryW(work.c_str(), nullptr);
    CreateDirectoryW((work + L"\\product").c_str(), nullptr);
    for (const std::wstring& file : c.files) {
        const size_t slash = file.rfind(L'\\');
        if (slash != std::wstring::npos)
            CreateDirectoryW((work + L"\\product\\" + file.substr(0, slash)).c_str(), nullptr);
        HANDLE handle = CreateFileW((work + L"\\product\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        CloseHandle(handle);
    }
    ASSERT_TRUE(WriteTestFile(Ansi(work) + "\\description.txt", c.description));
    const std::string setup = Ansi(work) + "\\Setup.exe";
    ASSERT_TRUE(Pack(Ansi(work) + "\\description.txt", Ansi(work) + "\\product", setup,
                     std::string("--codepage ") + c.codePage));

    Program installer(setup);
    HWND window = WaitForInstallerWindow(installer.Id());
    ASSERT_TRUE(window);
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    EXPECT_EQ(std::wstring(title), c.title);
    Screenshot(std::string(c.name) + "-install-page", window);
    ASSERT_TRUE(Press(window, Ansi(GetACP() == 932 ? L"インストール" : L"Install").c_str()));
    HWND notice = WaitForDialog(installer.Id(), Ansi(GetACP() == 932 ? L"メッセージ" : L"Message").c_str());
    ASSERT_TRUE(notice);
    ASSERT_TRUE(Press(notice, Ansi(GetACP() == 932 ? L"了解" : L"OK").c_str()));
    EXPECT_EQ(installer.WaitForExit(), 0);

    std::set<std::wstring> installed;
    ListFiles(product, L"", installed);
    installed.erase(L"Uninstall\\Uninstall.exe");
    EXPECT_TRUE(installed == c.files) << installed.size() << " files installed";
    testsupport::RemoveTreeForTests(Ansi(product));
    testsupport::RemoveTreeForTests(Ansi(work));
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
