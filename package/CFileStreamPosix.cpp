#include "package/CFileStream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The native tools' stand-in for the Windows file stream: the same modes, errors and
// position rules over a POSIX descriptor. Sharing has no equivalent and is not enforced.
CFileStream::CFileStream(const char* path, int mode, unsigned flags) : m_mode(mode), m_flags(flags)
{
    int descriptor = path ? open(path, mode == kModeReadWrite ? O_RDWR : O_RDONLY) : -1;
    struct stat info;
    if (descriptor >= 0 && (fstat(descriptor, &info) != 0 || S_ISDIR(info.st_mode))) {
        close(descriptor);
        descriptor = -1;
    }
    if (descriptor < 0) {
        SetError(kStreamCannotOpen);
        return;
    }
    m_descriptor = descriptor;
    m_open = true;
#if defined(POSIX_FADV_SEQUENTIAL)
    if (m_flags & kFlagSequential)
        posix_fadvise(m_descriptor, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

CFileStream::~CFileStream() { Close(); }

void CFileStream::Close()
{
    if (m_open)
        close(m_descriptor);
    m_open = false;
    m_descriptor = -1;
}

void CFileStream::Read(void* bytes, uint32_t& count)
{
    if (Failed()) {
        count = 0;
        return;
    }
    uint32_t total = 0;
    while (total < count) {
        ssize_t got = pread(m_descriptor, static_cast<char*>(bytes) + total, count - total,
                            static_cast<off_t>(m_position) + total);
        if (got < 0) {
            SetError(kStreamReadFailed);
            count = 0;
            return;
        }
        if (got == 0)
            break;
        total += static_cast<uint32_t>(got);
    }
    m_position += total;
    count = total;
}

void CFileStream::Write(const void* bytes, int32_t count)
{
    if (Failed())
        return;
    if (m_mode != kModeReadWrite) {
        SetError(kStreamNotWritable);
        return;
    }
    if (count < 0) {
        SetError(kStreamWriteFailed);
        return;
    }
    int32_t total = 0;
    while (total < count) {
        ssize_t put = pwrite(m_descriptor, static_cast<const char*>(bytes) + total,
                             static_cast<size_t>(count - total), static_cast<off_t>(m_position) + total);
        if (put <= 0) {
            SetError(kStreamWriteFailed);
            return;
        }
        total += static_cast<int32_t>(put);
    }
    m_position += static_cast<uint32_t>(total);
}

void CFileStream::Truncate()
{
    if (Failed())
        return;
    if (m_mode != kModeReadWrite) {
        SetError(kStreamNotWritable);
        return;
    }
    if (ftruncate(m_descriptor, static_cast<off_t>(m_position)) != 0)
        SetError(kStreamWriteFailed);
}

void CFileStream::SeekEnd()
{
    if (Failed())
        return;
    struct stat info;
    if (fstat(m_descriptor, &info) != 0 || info.st_size > static_cast<off_t>(UINT32_MAX)) {
        SetError(kStreamReadFailed);
        return;
    }
    m_position = static_cast<uint32_t>(info.st_size);
}
