#pragma once

#include <cstdint>

// Outcome of the two copy steps.
enum CopyResult : int {
    kCopyDone = 0,
    kCopyNoBuffer = 2,       // no buffer could be allocated
    kCopySourceFailed = 3,   // the source cannot be opened, does not exist or is a folder
    kCopyDestinationFailed = 4, // the same for the destination
    kCopyReadError = 7,
    kCopyWriteError = 8,     // also: times and attributes could not be applied
};

// The buffer asked for to copy a file of this size: the size itself, kept between 16 bytes
// and 1 MiB (for a file of any size, also one beyond 4 GiB).
uint32_t CopyBufferSize(uint64_t fileSize);

// Copies the bytes of an existing file over an existing destination file, which ends with
// exactly the source's length.
CopyResult CopyFileContents(const char* source, const char* destination);
// Gives the destination the source's creation and last write times and read-only bit.
CopyResult CopyFileStamp(const char* source, const char* destination);

// Keeps the first failure of several steps: Take only sets a result while none is held.
class CCopyOutcome {
public:
    void Take(CopyResult result)
    {
        if (m_result == kCopyDone)
            m_result = result;
    }
    CopyResult Result() const { return m_result; }

private:
    CopyResult m_result = kCopyDone;
};
