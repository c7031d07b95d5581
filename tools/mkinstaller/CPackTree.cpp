#include "tools/mkinstaller/CPackTree.h"

#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "tools/codepage/CCodePage.h"
#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/CDiagnostics.h"
#include "tools/mkinstaller/WindowsName.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <system_error>

namespace {

// Seconds from 1904-01-01 to 1970-01-01.
constexpr int64_t kEpochOffset = 2082844800;
constexpr uint64_t kMaxFileSize = 0xFFFFFFFFull;

std::string Encoded(const std::string& segment)
{
    CTextBuilder out;
    AppendEncodedSegment(out, segment.data(), segment.size());
    return std::string(out.Text(), out.Length());
}

} // namespace

uint32_t CPackTree::PackageTime(int64_t unixTime, bool& clamped)
{
    const int64_t t = unixTime + kEpochOffset;
    clamped = t < 0 || t > int64_t(0xFFFFFFFF);
    if (t < 0)
        return 0;
    if (t > int64_t(0xFFFFFFFF))
        return 0xFFFFFFFFu;
    return static_cast<uint32_t>(t);
}

int CPackTree::Count(bool folders) const
{
    int count = 0;
    for (const PackEntry& entry : m_entries)
        count += entry.folder == folders ? 1 : 0;
    return count;
}

void CPackTree::Problem(const std::string& path, const std::string& message, const std::string& note)
{
    m_problems->AddPath(path, true, message, note);
    m_failed = true;
}

bool CPackTree::PackedName(const std::string& path, const std::string& name, std::string& packed, std::string& utf8)
{
    const std::string codePage = std::to_string(m_codePage->Number());
#ifndef _WIN32
    // A name is bytes on this machine; one written by a tool of another encoding is no text here.
    const size_t bad = CDescText::FirstNotUtf8(name);
    if (bad != CDescText::kNotUtf8) {
        const char digits[] = "0123456789ABCDEF";
        const unsigned char byte = static_cast<unsigned char>(name[bad]);
        Problem(path, std::string("the name is not UTF-8 text (byte 0x") + digits[byte >> 4] + digits[byte & 15] +
                          "), the encoding of names on this machine",
                "rename it in UTF-8; the packer converts names into the product's code page itself");
        return false;
    }
#endif
    if (!m_codePage->Encode(name, CCodePage::kBuildText, packed) ||
        !m_codePage->Decode(packed, CCodePage::kUtf8, utf8)) {
        Problem(path, "the name has no exact form in code page " + codePage + ", the product's code page",
                m_codePageGiven ? "rename it in characters of that code page"
                                : "choose the product's code page with --codepage, such as 932 for Japanese");
        return false;
    }
    std::string reason;
    if (!IsWindowsName(utf8, &reason)) {
        Problem(path, "the name cannot be created on Windows: it " + reason);
        return false;
    }
    return true;
}

bool CPackTree::Collect(const std::string& root, int64_t sourceDateEpoch, const CCodePage& codePage,
                        bool codePageGiven, CDiagnostics& problems)
{
    m_codePage = &codePage;
    m_codePageGiven = codePageGiven;
    m_problems = &problems;
    m_failed = false;
    m_entries.clear();
    m_walking.clear();
    m_totalBytes = 0;
    m_sourceDateEpoch = sourceDateEpoch;
    struct stat info;
    if (::stat(root.c_str(), &info) != 0) {
        Problem(root, std::strerror(errno));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        Problem(root, "not a folder");
        return false;
    }
    Walk(root, ".", "", "");
    return !m_failed;
}

bool CPackTree::AddEntry(bool folder, const std::string& path, const std::string& url, const std::string& relative,
                         const std::string& packed, uint64_t size, int64_t modified)
{
    PackEntry entry;
    entry.folder = folder;
    entry.name = url;
    entry.path = path;
    entry.relative = relative;
    entry.packed = packed;
    if (!folder) {
        entry.size = size;
        if (entry.size > kMaxFileSize) {
            Problem(path, "larger than 4 GiB, which a package cannot hold");
            return false;
        }
        m_totalBytes += entry.size;
    }
    const int64_t t = m_sourceDateEpoch >= 0 ? m_sourceDateEpoch : modified;
    bool clamped = false;
    entry.written = PackageTime(t, clamped);
    // The creation time is not kept by every file system; the last-write time stands in.
    entry.created = entry.written;
    if (clamped)
        m_problems->AddPath(path, false, "time outside the package's range, clamped");
    m_entries.push_back(entry);
    return true;
}

void CPackTree::Walk(const std::string& path, const std::string& url, const std::string& relative,
                     const std::string& packedRelative)
{
    struct stat self;
    if (::stat(path.c_str(), &self) != 0)
        return Problem(path, std::strerror(errno));
#ifndef _WIN32 // where folders have no node numbers, the system ends a loop of links itself
    for (const Identity& outer : m_walking)
        if (outer.device == uint64_t(self.st_dev) && outer.node == uint64_t(self.st_ino))
            return Problem(path, "a symbolic link leads back into a folder that holds it: the tree has no end",
                           "replace the link by the files it should carry");
#endif
    m_walking.push_back(Identity{uint64_t(self.st_dev), uint64_t(self.st_ino)});
    if (!AddEntry(true, path, url, relative, packedRelative, 0, int64_t(self.st_mtime)))
        return;
    std::error_code error;
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator it(PathOfBuildText(path), error), end; !error && it != end; it.increment(error)) {
        std::string name;
        if (!BuildTextOfName(it->path().filename(), name))
            Problem(path, "a name in this folder cannot be written in this machine's code page");
        else
            names.push_back(name);
    }
    if (error)
        return Problem(path, error.message());
    std::sort(names.begin(), names.end());
    std::map<std::string, std::string> seen; // the name in capitals: its path
    for (const std::string& name : names) {
        const std::string child = path + "/" + name;
        std::string packed, utf8;
        if (!PackedName(child, name, packed, utf8))
            continue;
        const auto other = seen.emplace(UpperName(utf8), child);
        if (!other.second) {
            Problem(child, "Windows takes this name and " + other.first->second +
                               " as one (letter case aside): one would overwrite the other");
            continue;
        }
        const std::string childUrl = url == "." ? Encoded(packed) : url + "/" + Encoded(packed);
        const std::string childRelative = relative.empty() ? utf8 : relative + "\\" + utf8;
        const std::string childPacked = packedRelative.empty() ? packed : packedRelative + "\\" + packed;
        struct stat info;
        if (::stat(child.c_str(), &info) != 0)
            Problem(child, std::strerror(errno));
        else if (S_ISDIR(info.st_mode))
            Walk(child, childUrl, childRelative, childPacked);
        else if (S_ISREG(info.st_mode))
            AddEntry(false, child, childUrl, childRelative, childPacked, uint64_t(info.st_size), int64_t(info.st_mtime));
        else
            Problem(child, "neither a file nor a folder");
    }
    m_walking.pop_back();
}
