#include "platform/FileCopy.h"

#include "platform/CFileFind.h"
#include "platform/CFileHandle.h"

#include <new>

namespace {

const uint32_t kSmallestBuffer = 16;
const uint32_t kLargestBuffer = 1024 * 1024;

HANDLE OpenExisting(const char* path, DWORD access, DWORD sharing)
{
    return CreateFileA(path, access, sharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

} // namespace

uint32_t CopyBufferSize(uint64_t fileSize)
{
    if (fileSize < kSmallestBuffer)
        return kSmallestBuffer;
    return fileSize > kLargestBuffer ? kLargestBuffer : static_cast<uint32_t>(fileSize);
}

CopyResult CopyFileContents(const char* source, const char* destination)
{
    // The destination must exist already (it is created first, so that its name is settled);
    // it is opened for reading and writing like a stream in write mode.
    CFileHandle from(OpenExisting(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
    if (!from.IsValid())
        return kCopySourceFailed;
    CFileHandle to(OpenExisting(destination, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ));
    if (!to.IsValid())
        return kCopyDestinationFailed;

    LARGE_INTEGER size;
    if (!GetFileSizeEx(from.Get(), &size))
        return kCopyReadError;
    uint32_t wanted = CopyBufferSize(static_cast<uint64_t>(size.QuadPart));
    char* buffer = nullptr;
    // When memory is short a smaller buffer still does the job, only in more steps.
    for (; wanted >= kSmallestBuffer; wanted /= 2) {
        buffer = new (std::nothrow) char[wanted];
        if (buffer)
            break;
    }
    if (!buffer)
        return kCopyNoBuffer;

    bool readFailed = false;
    bool writeFailed = false;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from.Get(), buffer, wanted, &got, nullptr)) {
            readFailed = true;
            break;
        }
        DWORD written = 0;
        if (got > 0 && (!WriteFile(to.Get(), buffer, got, &written, nullptr) || written != got)) {
            writeFailed = true;
            break;
        }
        if (got < wanted)
            break;
    }
    delete[] buffer;
    // A longer old destination is cut to the new length.
    if (!writeFailed && !SetEndOfFile(to.Get()))
        writeFailed = true;
    if (readFailed)
        return kCopyReadError;
    return writeFailed ? kCopyWriteError : kCopyDone;
}

CopyResult CopyFileStamp(const char* source, const char* destination)
{
    CFileFind from(source, false);
    if (!from.Found() || from.IsFolder())
        return kCopySourceFailed;
    CFileFind to(destination, false);
    if (!to.Found() || to.IsFolder())
        return kCopyDestinationFailed;
    to.SetWritable(!from.IsReadOnly());
    to.SetTimes(from.CreationTime(), from.LastWriteTime());
    to.Apply();
    return to.Found() ? kCopyDone : kCopyWriteError;
}
