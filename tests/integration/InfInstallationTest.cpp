// INF lines installed through Wine's Setup API: registration of the INF with the system and
// the file operations of its install section.
#include "install/CTextLines.h"
#include "integration/CVariables.h"
#include "integration/InfInstallation.h"
#include "platform/CFileFind.h"
#include "platform/CPlatformInfo.h"
#include "tests/platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

using testsupport::Exists;
using testsupport::ReadTestFile;
using testsupport::ScratchFolder;
using testsupport::WriteTestFile;

namespace {

std::string WindowsInfFolder()
{
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\inf";
}

// The files in the system's INF folder whose contents carry the marker.
std::vector<std::string> SystemInfsWith(const std::string& marker)
{
    std::vector<std::string> found;
    for (CFileFind find(WindowsInfFolder().c_str(), true); find.Found(); find.Next()) {
        const std::string path = find.EntryPath().Text();
        if (lstrcmpiA(path.c_str() + path.size() - 4, ".inf") == 0 && ReadTestFile(path).find(marker) != std::string::npos)
            found.push_back(path);
    }
    return found;
}

void RemoveSystemInfsWith(const std::string& marker)
{
    for (const std::string& path : SystemInfsWith(marker)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        // Setup keeps a compiled twin beside an INF it registered.
        std::string twin = path.substr(0, path.size() - 3) + "PNF";
        DeleteFileA(twin.c_str());
    }
}

// An INF whose install section copies payload.txt from its own folder into its subfolder Out.
std::string InfText(const std::string& marker)
{
    return "; " + marker + "\r\n"
           "[Version]\r\n"
           "Signature=\"$Windows NT$\"\r\n"
           "\r\n"
           "[DestinationDirs]\r\n"
           "Sample.Files = 01,Out\r\n"
           "Other.Files = 01,Out\r\n"
           "\r\n"
           "[Sample.Install]\r\n"
           "CopyFiles = Sample.Files\r\n"
           "\r\n"
           "[Other.Install]\r\n"
           "CopyFiles = Other.Files\r\n"
           "\r\n"
           "[Sample.Files]\r\n"
           "payload.txt\r\n"
           "\r\n"
           "[Other.Files]\r\n"
           "other.txt\r\n";
}

class InfInstallation : public ::testing::Test {
protected:
    InfInstallation() : m_scratch("inf"), m_dest(m_scratch / "Sample Dest")
    {
        char marker[64];
        snprintf(marker, sizeof marker, "installer-inf-test-%lu", static_cast<unsigned long>(GetCurrentProcessId()));
        m_marker = marker;
        CreateDirectoryA(m_dest.c_str(), nullptr);
        WriteTestFile(m_dest + "\\sample.inf", InfText(m_marker));
        WriteTestFile(m_dest + "\\payload.txt", "payload contents");
        WriteTestFile(m_dest + "\\other.txt", "other contents");
        m_variables.Set("DEST", m_dest.c_str());
        m_savedPlatform = CPlatformInfo::Current();
        CPlatformInfo::Current().Fill();
    }
    ~InfInstallation() override
    {
        CPlatformInfo::Current() = m_savedPlatform;
        RemoveSystemInfsWith(m_marker);
    }

    void Install(std::initializer_list<const char*> lines)
    {
        CTextLines text;
        for (const char* line : lines)
            ASSERT_TRUE(text.Append(LString(line)));
        EXPECT_EQ(InstallInfLines(m_variables, text), 0);
    }

    ScratchFolder m_scratch;
    std::string m_dest;
    std::string m_marker;
    CVariables m_variables;
    CPlatformInfo m_savedPlatform;
};

} // namespace

TEST_F(InfInstallation, RunsTheSectionsOfTheLinesForThisSystemAndRegistersTheInf)
{
    ASSERT_EQ(CPlatformInfo::Current().platformId, CPlatformInfo::kWindowsNTFamily);
    // A line without a section only registers the INF.
    Install({"\"%DEST%\\sample.inf\""});
    EXPECT_FALSE(Exists(m_dest + "\\Out"));
    EXPECT_EQ(SystemInfsWith(m_marker).size(), 1u);
    ASSERT_TRUE(WriteTestFile(m_dest + "\\broken.inf", "\x01\x02 not an inf"));
    // Missing and broken INFs are passed over quietly; the destination's space is inserted after
    // the line has been split; "NT" is no condition, so its line runs everywhere.
    Install({"%DEST%\\missing.inf Sample.Install", "%DEST%\\broken.inf Sample.Install",
             "%DEST%\\sample.inf Other.Install win", "%DEST%\\sample.inf Sample.Install NT"});
    EXPECT_EQ(ReadTestFile(m_dest + "\\Out\\payload.txt"), "payload contents");
    EXPECT_FALSE(Exists(m_dest + "\\Out\\other.txt"));
    EXPECT_EQ(SystemInfsWith(m_marker).size(), 1u);
    Install({"%DEST%\\sample.inf Other.Install nt"});
    EXPECT_EQ(ReadTestFile(m_dest + "\\Out\\other.txt"), "other contents");
}

TEST_F(InfInstallation, OlderSystemsGetTheInfCopiedIntoTheirInfFolder)
{
    CPlatformInfo::Current().majorVersion = 4;
    std::string source = m_dest + "\\sample.inf";
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_READONLY);
    std::string copy = WindowsInfFolder() + "\\sample.inf";
    ASSERT_FALSE(Exists(copy));
    Install({"%DEST%\\sample.inf Sample.Install"});
    EXPECT_EQ(ReadTestFile(copy), InfText(m_marker));
    // Stamped as the source is (what the stamp carries is seen with the file copy).
    EXPECT_TRUE(GetFileAttributesA(copy.c_str()) & FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(ReadTestFile(m_dest + "\\Out\\payload.txt"), "payload contents");
    SetFileAttributesA(source.c_str(), FILE_ATTRIBUTE_NORMAL);
}
