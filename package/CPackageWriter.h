#pragma once

#include "package/CLzEncoder.h"
#include "package/CRecordCrc.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Writes a package behind whatever the output file already holds (the installer stub): one
// compressed stream of records, then the trailer "QXPK" and the package length, big-endian.
//   description  tag 1, header, data run
//   folder       tag 5, header, entry name with its 0
//   file         tag 4, header, entry name with its 0, creation and last-write time, data run
// Every data run ends with the end code. The 4-byte header is the big-endian CRC-32 of the
// record's body after it. Times are seconds since 1904-01-01 00:00:00 UTC, big-endian.
// On failure the writer keeps the first error text and does nothing more.
class CPackageWriter {
public:
    static constexpr uint8_t kTagDescription = 1;
    static constexpr uint8_t kTagFile = 4;
    static constexpr uint8_t kTagFolder = 5;

    // out: the output file, positioned at its end; the package starts there. The whole file
    // must stay below 4 GiB.
    explicit CPackageWriter(std::FILE* out, CLzEncoder::Parse parse = CLzEncoder::kOptimal);

    void AddDescription(const char* text, size_t length);
    void AddFolder(const std::string& name);
    // Reads the file at path for the record's CRC and, when it is larger than 1 MiB, a second
    // time for its data.
    void AddFile(const std::string& name, uint32_t created, uint32_t written, const std::string& path);
    // Writes the rest of the stream and the trailer; false when anything failed.
    bool Finish();

    bool Failed() const { return !m_error.empty(); }
    const std::string& Error() const { return m_error; }
    uint64_t PackageBytes() const { return m_written; }
    uint64_t BytesIn() const { return m_encoder.BytesIn(); }

    // Called after every chunk of file data with the number of its bytes, for progress.
    void SetProgress(void (*progress)(void* context, uint64_t bytes), void* context)
    {
        m_progress = progress;
        m_progressContext = context;
    }

private:
    void Fail(const std::string& error);
    void Put(const void* bytes, size_t count);
    void PutHeader(uint8_t tag, uint32_t crc);
    void Drain();
    // Passes the file's bytes to the CRC, or (crc null) into the stream; false on a read error.
    bool ReadContents(const std::string& path, CRecordCrc* crc, uint64_t& size);

    std::FILE* m_out;
    CLzEncoder m_encoder;
    std::vector<char> m_chunk; // one read's bytes
    std::string m_held;        // a small file's bytes, read once
    uint64_t m_written = 0;
    uint64_t m_stubBytes; // what the output held before the package
    std::string m_error;
    void (*m_progress)(void*, uint64_t) = nullptr;
    void* m_progressContext = nullptr;
};
