#include "package/CPackageWriter.h"
#include "package/BigEndian.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr uint64_t kMaxFileSize = 0xFFFFFFFFull;
// The installer reads its own file with 32-bit positions: the stub, the package and the
// trailer together must stay below 4 GiB.
constexpr uint64_t kMaxInstallerSize = 0xFFFFFFFFull;
// A file up to this size is read once: the bytes its CRC was taken of are held and packed. A
// larger one is read a second time for its data.
constexpr uint64_t kHeldFileSize = 1u << 20;

uint64_t FileOffset(std::FILE* file)
{
#if defined(_WIN32)
    const long long offset = _ftelli64(file);
#else
    const long long offset = ftello(file);
#endif
    return offset < 0 ? 0 : uint64_t(offset);
}

} // namespace

CPackageWriter::CPackageWriter(std::FILE* out, CLzEncoder::Parse parse)
    : m_out(out), m_encoder(parse), m_stubBytes(FileOffset(out))
{
}

void CPackageWriter::Fail(const std::string& error)
{
    if (m_error.empty())
        m_error = error;
}

void CPackageWriter::Put(const void* bytes, size_t count)
{
    m_encoder.Write(bytes, count);
    Drain();
}

void CPackageWriter::Drain()
{
    const std::vector<uint8_t>& bytes = m_encoder.Output().Bytes();
    if (bytes.empty() || Failed())
        return;
    if (std::fwrite(bytes.data(), 1, bytes.size(), m_out) != bytes.size())
        Fail(std::string("cannot write the output: ") + std::strerror(errno));
    m_written += bytes.size();
    m_encoder.Output().Drop();
    if (m_stubBytes + m_written + 8 > kMaxInstallerSize)
        Fail("the installer would exceed 4 GiB, which it cannot read back");
}

void CPackageWriter::PutHeader(uint8_t tag, uint32_t crc)
{
    uint8_t bytes[5] = {tag};
    WriteBigEndian32(crc, bytes + 1);
    Put(bytes, sizeof bytes);
}

void CPackageWriter::AddDescription(const char* text, size_t length)
{
    if (Failed())
        return;
    PutHeader(kTagDescription, CRecordCrc::Of(text, length));
    Put(text, length);
    m_encoder.EndRun();
    Drain();
}

void CPackageWriter::AddFolder(const std::string& name)
{
    if (Failed())
        return;
    PutHeader(kTagFolder, CRecordCrc::Of(name.c_str(), name.size() + 1));
    Put(name.c_str(), name.size() + 1);
}

bool CPackageWriter::ReadContents(const std::string& path, CRecordCrc* crc, uint64_t& size)
{
    size = 0;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) {
        Fail(path + ": cannot open: " + std::strerror(errno));
        return false;
    }
    // Unbuffered: the reads go straight into the chunk, and a small file takes one read and the
    // one that finds its end, where the stream's own buffer would copy it and ask for its size.
    std::setvbuf(in, nullptr, _IONBF, 0);
    m_chunk.resize(size_t(1) << 16);
    size_t got;
    bool end = false;
    while (!end && (got = std::fread(m_chunk.data(), 1, m_chunk.size(), in)) > 0) {
        end = got < m_chunk.size(); // the end of the file, or an error that ferror tells below
        size += got;
        if (size > kMaxFileSize)
            break;
        if (crc) {
            crc->Add(m_chunk.data(), got);
            if (size <= kHeldFileSize)
                m_held.append(m_chunk.data(), got);
        } else {
            Put(m_chunk.data(), got);
            if (m_progress)
                m_progress(m_progressContext, got);
            if (Failed())
                break;
        }
    }
    const bool readError = std::ferror(in) != 0;
    std::fclose(in);
    if (readError) {
        Fail(path + ": read error");
        return false;
    }
    if (size > kMaxFileSize) {
        Fail(path + ": larger than 4 GiB, which a package cannot hold");
        return false;
    }
    return !Failed();
}

void CPackageWriter::AddFile(const std::string& name, uint32_t created, uint32_t written, const std::string& path)
{
    if (Failed())
        return;
    uint8_t times[8];
    WriteBigEndian32(created, times);
    WriteBigEndian32(written, times + 4);
    // The header comes before the data, so the CRC needs a pass of its own over the file.
    CRecordCrc crc;
    crc.Add(name.c_str(), name.size() + 1);
    crc.Add(times, sizeof times);
    uint64_t firstSize = 0;
    m_held.clear();
    if (!ReadContents(path, &crc, firstSize))
        return;
    PutHeader(kTagFile, crc.Value());
    Put(name.c_str(), name.size() + 1);
    Put(times, sizeof times);
    if (firstSize <= kHeldFileSize) {
        Put(m_held.data(), m_held.size());
        if (m_progress)
            m_progress(m_progressContext, m_held.size());
        m_encoder.EndRun();
        Drain();
        return;
    }
    uint64_t secondSize = 0;
    if (!ReadContents(path, nullptr, secondSize))
        return;
    if (secondSize != firstSize) {
        Fail(path + ": the file changed while it was packed");
        return;
    }
    m_encoder.EndRun();
    Drain();
}

bool CPackageWriter::Finish()
{
    if (Failed())
        return false;
    m_encoder.Finish();
    Drain();
    if (Failed())
        return false;
    uint8_t trailer[8] = {'Q', 'X', 'P', 'K'};
    WriteBigEndian32(static_cast<uint32_t>(m_written), trailer + 4);
    if (std::fwrite(trailer, 1, sizeof trailer, m_out) != sizeof trailer)
        Fail(std::string("cannot write the output: ") + std::strerror(errno));
    if (std::fflush(m_out) != 0)
        Fail(std::string("cannot write the output: ") + std::strerror(errno));
    return !Failed();
}
