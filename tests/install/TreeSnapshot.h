#pragma once

// Everything that a rollback must restore about a folder tree: for every entry below the root
// its relative name (letter case included), kind, attributes, last write time and contents.

#include "tests/platform/ScratchFolder.h"

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
    uint64_t lastWrite = 0;
    std::string contents;

    bool operator==(const TreeEntry& other) const
    {
        return folder == other.folder && attributes == other.attributes && lastWrite == other.lastWrite
            && contents == other.contents;
    }
};

using TreeSnapshot = std::map<std::string, TreeEntry>;

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
            entry.lastWrite = (uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
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
        snapshot["."] = TreeEntry{true, 0, 0, ""};
    AddTree(root, "", snapshot);
    return snapshot;
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
            << " time=" << entry.second.lastWrite << " size=" << entry.second.contents.size() << "\n";
    }
    return out.str();
}

} // namespace testsupport
