#include "tools/mkinstaller/CPackTree.h"

#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "tools/codepage/CCodePage.h"
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

bool CPackTree::PackedName(const std::string& path, const std::string& name, std::string& packed, std::string& utf8)
{
    const std::string codePage = std::to_string(m_codePage->Number());
    if (!m_codePage->Encode(name, CCodePage::kBuildText, packed) ||
        !m_codePage->Decode(packed, CCodePage::kUtf8, utf8)) {
        m_error = path + ": the name has no exact form in code page " + codePage +
                  ", the product's code page (choose it with --codepage, such as 932 for Japanese)";
        return false;
    }
    std::string reason;
    if (!IsWindowsName(utf8, &reason)) {
        m_error = path + ": the name cannot be created on Windows: it " + reason;
        return false;
    }
    return true;
}

bool CPackTree::Collect(const std::string& root, int64_t sourceDateEpoch, const CCodePage& codePage)
{
    m_codePage = &codePage;
    m_entries.clear();
    m_warnings.clear();
    m_error.clear();
    m_totalBytes = 0;
    m_sourceDateEpoch = sourceDateEpoch;
    struct stat info;
    if (::stat(root.c_str(), &info) != 0) {
        m_error = root + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        m_error = root + ": not a folder";
        return false;
    }
    return Walk(root, ".", "");
}

bool CPackTree::AddEntry(bool folder, const std::string& path, const std::string& url, const std::string& relative)
{
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        m_error = path + ": " + std::strerror(errno);
        return false;
    }
    PackEntry entry;
    entry.folder = folder;
    entry.name = url;
    entry.path = path;
    entry.relative = relative;
    if (!folder) {
        entry.size = static_cast<uint64_t>(info.st_size);
        if (entry.size > kMaxFileSize) {
            m_error = path + ": larger than 4 GiB, which a package cannot hold";
            return false;
        }
        m_totalBytes += entry.size;
    }
    const int64_t t = m_sourceDateEpoch >= 0 ? m_sourceDateEpoch : int64_t(info.st_mtime);
    bool clamped = false;
    entry.written = PackageTime(t, clamped);
    // The creation time is not kept by every file system; the last-write time stands in.
    entry.created = entry.written;
    if (clamped)
        m_warnings.push_back(path + ": time outside the package's range, clamped");
    m_entries.push_back(entry);
    return true;
}

bool CPackTree::Walk(const std::string& path, const std::string& url, const std::string& relative)
{
    if (!AddEntry(true, path, url, relative))
        return false;
    std::error_code error;
    std::vector<std::string> names;
    for (std::filesystem::directory_iterator it(PathOfBuildText(path), error), end; !error && it != end; it.increment(error)) {
        std::string name;
        if (!BuildTextOfName(it->path().filename(), name)) {
            m_error = path + ": a name in this folder cannot be written in this machine's code page";
            return false;
        }
        names.push_back(name);
    }
    if (error) {
        m_error = path + ": " + error.message();
        return false;
    }
    std::sort(names.begin(), names.end());
    std::map<std::string, std::string> seen; // lower-case UTF-8 name: its path
    for (const std::string& name : names) {
        const std::string child = path + "/" + name;
        std::string packed, utf8;
        if (!PackedName(child, name, packed, utf8))
            return false;
        const auto other = seen.emplace(LowerAscii(utf8), child);
        if (!other.second) {
            m_error = child + ": differs from " + other.first->second + " only in letter case; Windows keeps one of them";
            return false;
        }
        const std::string childUrl = url == "." ? Encoded(packed) : url + "/" + Encoded(packed);
        const std::string childRelative = relative.empty() ? utf8 : relative + "\\" + utf8;
        struct stat info;
        if (::stat(child.c_str(), &info) != 0) {
            m_error = child + ": " + std::strerror(errno);
            return false;
        }
        if (S_ISDIR(info.st_mode)) {
            if (!Walk(child, childUrl, childRelative))
                return false;
        } else if (S_ISREG(info.st_mode)) {
            if (!AddEntry(false, child, childUrl, childRelative))
                return false;
        } else {
            m_error = child + ": neither a file nor a folder";
            return false;
        }
    }
    return true;
}
