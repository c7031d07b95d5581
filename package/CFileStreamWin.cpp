#include "package/CFileStream.h"

#include <windows.h>

namespace {

// Moves the file pointer to an absolute 32-bit position; the high part stays 0 so that
// positions above 2 GiB are taken as unsigned.
bool SeekTo(HANDLE handle, uint32_t position)
{
    LONG high = 0;
    DWORD low = SetFilePointer(handle, static_cast<LONG>(position), &high, FILE_BEGIN);
    return !(low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR);
}

} // namespace

bool CFileStream::PointAtPosition()
{
    if (m_pointerKnown && m_pointer == m_position)
        return true;
    m_pointerKnown = SeekTo(static_cast<HANDLE>(m_handle), m_position);
    m_pointer = m_position;
    return m_pointerKnown;
}

CFileStream::CFileStream(const char* path, int mode, unsigned flags) : m_mode(mode), m_flags(flags)
{
    DWORD access = mode == kModeReadWrite ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    // A file only read may be renamed meanwhile: the running uninstaller, which reads its own
    // package, must be able to move itself aside when it undoes the installation that wrote it.
    DWORD share = mode == kModeRead ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE : FILE_SHARE_READ;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (flags & kFlagSequential)
        attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    HANDLE handle = path ? CreateFileA(path, access, share, nullptr, OPEN_EXISTING, attributes, nullptr)
                         : INVALID_HANDLE_VALUE;
    if (handle == INVALID_HANDLE_VALUE) {
        SetError(kStreamCannotOpen);
        return;
    }
    m_handle = handle;
    m_open = true;
}

CFileStream::CFileStream(void* handle, int mode) : m_mode(mode), m_flags(0) { Adopt(handle); }

void CFileStream::Adopt(void* handle)
{
    Close();
    m_error = kStreamOk;
    m_position = 0;
    m_pointer = 0;
    m_pointerKnown = true;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        SetError(kStreamCannotOpen);
        return;
    }
    m_handle = handle;
    m_open = true;
}

CFileStream::~CFileStream() { Close(); }

void CFileStream::Close()
{
    if (m_open)
        CloseHandle(static_cast<HANDLE>(m_handle));
    m_open = false;
    m_handle = nullptr;
}

void CFileStream::Read(void* bytes, uint32_t& count)
{
    if (Failed()) {
        count = 0;
        return;
    }
    DWORD read = 0;
    if (!PointAtPosition() || !ReadFile(static_cast<HANDLE>(m_handle), bytes, count, &read, nullptr)) {
        SetError(kStreamReadFailed);
        count = 0;
        return;
    }
    m_position += read;
    m_pointer = m_position;
    count = read;
}

void CFileStream::Write(const void* bytes, int32_t count)
{
    if (Failed())
        return;
    if (m_mode != kModeReadWrite) {
        SetError(kStreamNotWritable);
        return;
    }
    DWORD written = 0;
    if (count < 0 || !PointAtPosition() ||
        !WriteFile(static_cast<HANDLE>(m_handle), bytes, static_cast<DWORD>(count), &written, nullptr) ||
        written != static_cast<DWORD>(count)) {
        // A short write (a full disk) loses data just as a failed one does.
        SetError(kStreamWriteFailed);
        return;
    }
    m_position += written;
    m_pointer = m_position;
}

void CFileStream::Truncate()
{
    if (Failed())
        return;
    if (m_mode != kModeReadWrite) {
        SetError(kStreamNotWritable);
        return;
    }
    if (!PointAtPosition() || !SetEndOfFile(static_cast<HANDLE>(m_handle)))
        SetError(kStreamWriteFailed);
}

void CFileStream::SeekEnd()
{
    if (Failed())
        return;
    LONG high = 0;
    DWORD low = SetFilePointer(static_cast<HANDLE>(m_handle), 0, &high, FILE_END);
    if ((low == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR) || high != 0) {
        // A file beyond 4 GiB cannot be addressed with a 32-bit position.
        SetError(kStreamReadFailed);
        return;
    }
    m_position = low;
    m_pointer = low;
}
