#include "platform/FileCopy.h"

#include "package/CFileStream.h"
#include "platform/CFileFind.h"

#include <cstdint>
#include <new>

namespace {

const uint32_t kSmallestBuffer = 16;
const uint32_t kLargestBuffer = 1024 * 1024;

} // namespace

CopyResult CopyFileContents(const char* source, const char* destination)
{
    CFileStream from(source, 0, 0);
    if (from.Failed())
        return kCopySourceFailed;
    CFileStream to(destination, 1, 0);
    if (to.Failed())
        return kCopyDestinationFailed;

    from.SeekEnd();
    uint32_t size = from.Position();
    uint32_t wanted = size < kSmallestBuffer ? kSmallestBuffer : (size > kLargestBuffer ? kLargestBuffer : size);
    char* buffer = nullptr;
    // When memory is short a smaller buffer still does the job, only in more steps.
    for (; wanted >= kSmallestBuffer; wanted /= 2) {
        buffer = new (std::nothrow) char[wanted];
        if (buffer)
            break;
    }
    if (!buffer)
        return kCopyNoBuffer;

    from.SetPosition(0);
    for (;;) {
        uint32_t count = wanted;
        from.Read(buffer, count);
        to.Write(buffer, static_cast<int32_t>(count));
        if (count < wanted || from.Failed() || to.Failed())
            break;
    }
    delete[] buffer;
    to.Truncate();
    if (from.Failed())
        return kCopyReadError;
    if (to.Failed())
        return kCopyWriteError;
    return kCopyDone;
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
