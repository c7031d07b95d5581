#include "tools/mkinstaller/CExtractTarget.h"

#include "tools/mkinstaller/CProgressBar.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <utime.h>

namespace fs = std::filesystem;

CExtractTarget::CExtractTarget(const std::string& folder, CProgressBar* progress)
    : m_folder(folder), m_progress(progress)
{
}

CExtractTarget::~CExtractTarget()
{
    if (m_file)
        std::fclose(m_file);
}

bool CExtractTarget::Fail(const std::string& reason)
{
    m_error = reason;
    return false;
}

bool CExtractTarget::Prepare()
{
    std::error_code error;
    if (fs::exists(m_folder, error)) {
        if (!fs::is_directory(m_folder, error))
            return Fail(m_folder + ": exists and is not a folder");
        if (!fs::is_empty(m_folder, error) || error)
            return Fail(m_folder + ": the folder is not empty; extract into a new or empty folder");
        return true;
    }
    return MakeFolders("");
}

bool CExtractTarget::MakeFolders(const std::string& relative)
{
    // Creates the missing folders from the top down, recording each one.
    std::vector<std::string> missing;
    for (std::string path = relative.empty() ? m_folder : m_folder + "/" + relative;;) {
        std::error_code error;
        if (fs::is_directory(path, error))
            break;
        missing.push_back(path);
        if (path == m_folder)
            break;
        path = path.substr(0, path.rfind('/'));
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        std::error_code error;
        if (!fs::create_directory(*it, error) || error)
            return Fail(*it + ": cannot create the folder: " + (error ? error.message() : "a file is in the way"));
        m_created.push_back(*it);
    }
    return true;
}

void CExtractTarget::Undo()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    for (auto it = m_created.rbegin(); it != m_created.rend(); ++it) {
        std::error_code error;
        fs::remove(*it, error);
    }
    m_created.clear();
}

bool CExtractTarget::Folder(const WalkedEntry& entry) { return MakeFolders(entry.path); }

bool CExtractTarget::BeginFile(const WalkedEntry& entry)
{
    const size_t slash = entry.path.rfind('/');
    if (slash != std::string::npos && !MakeFolders(entry.path.substr(0, slash)))
        return false;
    const std::string path = m_folder + "/" + entry.path;
    std::error_code error;
    if (fs::exists(path, error)) {
        // Only a file of this same package can be there: the target began empty.
        if (fs::is_directory(path, error))
            return Fail("a folder of the package is in the way");
    } else {
        m_created.push_back(path);
    }
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file)
        return Fail(std::string("cannot create: ") + std::strerror(errno));
    return true;
}

bool CExtractTarget::FileData(const uint8_t* bytes, uint32_t count)
{
    if (std::fwrite(bytes, 1, count, m_file) != count)
        return Fail(std::string("cannot write: ") + std::strerror(errno));
    if (m_progress)
        m_progress->Advance(count);
    return true;
}

bool CExtractTarget::EndFile(const WalkedEntry& entry)
{
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed)
        return Fail(std::string("cannot write: ") + std::strerror(errno));
    // Only the last-write time can be set portably; the access time takes the same value.
    struct utimbuf times;
    times.actime = static_cast<time_t>(CPackageWalk::UnixTime(entry.written));
    times.modtime = times.actime;
    const std::string path = m_folder + "/" + entry.path;
    if (::utime(path.c_str(), &times) != 0)
        return Fail(std::string("cannot set the file's times: ") + std::strerror(errno));
    return true;
}
