#pragma once

// Everything that a rollback must restore about a folder tree: for every entry below the root
// its relative name (letter case included), kind, attributes, creation and last write times
// and contents.

#include "tests/platform/ScratchFolder.h"
#include "tests/support/WindowWait.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace testsupport {

struct TreeEntry {
    bool folder = false;
    DWORD attributes = 0;
    uint64_t created = 0;
    uint64_t lastWrite = 0;
    std::string contents;

    bool operator==(const TreeEntry& other) const
    {
        return folder == other.folder && attributes == other.attributes && created == other.created
            && lastWrite == other.lastWrite && contents == other.contents;
    }
};

using TreeSnapshot = std::map<std::string, TreeEntry>;

inline uint64_t TimeValue(const FILETIME& time) { return (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime; }

// Gives a file both times long before the test ran, so that a file rewritten or recreated in
// place would show it.
inline void BackdateFile(const std::string& path, WORD year)
{
    const uint64_t value = (year - 1601ull) * 365 * 24 * 3600 * 10000000;
    const FILETIME time = {DWORD(value), DWORD(value >> 32)};
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    SetFileTime(file, &time, nullptr, &time);
    CloseHandle(file);
}

inline void AddTree(const std::string& root, const std::string& relative, TreeSnapshot& snapshot)
{
    WIN32_FIND_DATAA data;
    std::string folder = relative.empty() ? root : root + "\\" + relative;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string child = relative.empty() ? name : relative + "\\" + name;
        TreeEntry entry;
        entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry.attributes = data.dwFileAttributes;
        if (!entry.folder) {
            entry.created = TimeValue(data.ftCreationTime);
            entry.lastWrite = TimeValue(data.ftLastWriteTime);
            entry.contents = ReadTestFile(root + "\\" + child);
        }
        snapshot[child] = entry;
        if (entry.folder)
            AddTree(root, child, snapshot);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

inline TreeSnapshot TakeSnapshot(const std::string& root)
{
    TreeSnapshot snapshot;
    if (IsFolderForTests(root))
        snapshot["."].folder = true;
    AddTree(root, "", snapshot);
    return snapshot;
}

// Bytes that do not compress, the same for the same seed: damage to a package
// lands in their data run.
inline std::string Noise(size_t size, uint32_t seed)
{
    std::string bytes(size, '\0');
    for (char& byte : bytes) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<char>(seed >> 16);
    }
    return bytes;
}

// Whether the path is gone within the time: the uninstaller's batch file removes it after the
// uninstaller has ended.
inline bool GoneWithin(const std::string& path, DWORD timeoutMs)
{
    return WaitUntil([&] { return !Exists(path); }, timeoutMs);
}

// Names the installation uses only while it runs and must not leave behind: temporary "ins"
// files and "tmp" backups.
inline std::vector<std::string> LeftoverNames(const TreeSnapshot& tree)
{
    std::vector<std::string> names;
    for (const auto& entry : tree) {
        std::string name = entry.first.substr(entry.first.rfind('\\') + 1);
        if (name.rfind("tmp", 0) == 0 || name.rfind("ins", 0) == 0)
            names.push_back(entry.first);
    }
    return names;
}

// A readable listing for failure messages.
inline std::string Describe(const TreeSnapshot& snapshot)
{
    std::ostringstream out;
    for (const auto& entry : snapshot) {
        out << entry.first << (entry.second.folder ? "/" : "") << " attr=" << entry.second.attributes
            << " created=" << entry.second.created << " written=" << entry.second.lastWrite << " size=" << entry.second.contents.size() << "\n";
    }
    return out.str();
}

inline void ExpectTreeUnchanged(const std::string& root, const TreeSnapshot& before)
{
    const TreeSnapshot after = TakeSnapshot(root);
    EXPECT_EQ(after, before) << "before:\n" << Describe(before) << "after:\n" << Describe(after);
}

} // namespace testsupport
