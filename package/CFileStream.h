#pragma once

#include "package/CStream.h"

// A byte stream over an existing file. Mode 1 opens for reading and writing (others may read);
// mode 0 reads and lets others read and write; any other mode reads and lets others only read.
// Flag value 2 asks for sequential-scan caching. The stream never creates a file, and a failed
// open is error 1 whatever the cause. The Windows builds use a file handle; the native tools
// use a POSIX descriptor with the same behaviour.
class CFileStream : public CStream {
public:
    static constexpr int kModeRead = 0;
    static constexpr int kModeReadWrite = 1;
    static constexpr int kModeReadExclusive = 2;
    static constexpr unsigned kFlagSequential = 2;

    CFileStream(const char* path, int mode, unsigned flags);
#if defined(_WIN32)
    // Takes over a handle opened elsewhere (a file just created, its file pointer at the start)
    // with the rights of `mode`; an invalid handle is error 1, as a failed open is.
    CFileStream(void* handle, int mode);
    // The same later, in place of whatever the stream had: that file is closed, and the
    // stream starts afresh (position 0, no error) on the new handle.
    void Adopt(void* handle);
    // The handle, for what a stream does not offer (file times).
    void* Handle() const { return m_handle; }
#endif
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;
    ~CFileStream() override;

    void SetPosition(uint32_t position) override { m_position = position; }
    void Truncate() override;
    void Write(const void* bytes, int32_t count) override;
    void Read(void* bytes, uint32_t& count) override;
    void SeekEnd() override;

    // Closes the file early; later operations fail as on a file that cannot be reached.
    void Close();
    bool IsOpen() const { return m_open; }
    bool IsWritable() const { return m_mode == kModeReadWrite; }

private:
    int m_mode;
    unsigned m_flags;
#if defined(_WIN32)
    // Moves the handle's file pointer to the position unless it stands there already (after
    // the previous read or write); false when the system refuses.
    bool PointAtPosition();

    void* m_handle = nullptr; // HANDLE, kept out of this header so that it stays portable
    uint32_t m_pointer = 0;   // where the handle's file pointer stands, when known
    bool m_pointerKnown = true;
#else
    int m_descriptor = -1;
#endif
    bool m_open = false;
};
