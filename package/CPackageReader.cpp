#include "package/CPackageReader.h"
#include "package/BigEndian.h"

#include "package/CCountingStream.h"
#include "package/Crc32.h"
#include "package/ShortCopy.h"
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"

#include <algorithm>
#include <cstring>

// Code format, read most significant bit first and not byte-aligned:
//   1, 8 bits           a literal byte
//   0, 13 bits d, 4 l   a match: l + 3 bytes from d (1 to 8191) bytes back
//   0, 13 zero bits     the end of the current data run

CPackageReader::CPackageReader(CStream& source, uint32_t start, uint32_t end)
    : m_source(source), m_start(start), m_end(end), m_bits(source, end), m_window(kDistanceBits, kLengthBits)
{
}

void CPackageReader::Rewind()
{
    m_source.SetPosition(m_start);
    m_bits.Reset();
    m_copyIndex = 0;
    m_copyCount = 0;
}

uint32_t CPackageReader::Decode(uint8_t* out, uint32_t count)
{
    uint32_t done = 0;
    while (done < count) {
        if (m_copyIndex < m_copyCount) {
            const uint32_t take = std::min(m_copyCount - m_copyIndex, count - done);
            CopyShort(out + done, m_window.CopyBuffer() + m_copyIndex, take);
            m_copyIndex += take;
            done += take;
            continue;
        }
        uint32_t flag = 0;
        if (!m_bits.ReadBits(1, flag))
            break;
        if (flag) {
            uint32_t literal = 0;
            if (!m_bits.ReadBits(8, literal))
                break;
            out[done++] = static_cast<uint8_t>(literal);
            m_window.StoreByte(static_cast<uint8_t>(literal));
            continue;
        }
        uint32_t distance = 0;
        if (!m_bits.ReadBits(kDistanceBits, distance) || distance == 0)
            break;
        uint32_t lengthField = 0;
        if (!m_bits.ReadBits(kLengthBits, lengthField))
            break;
        m_copyIndex = 0;
        m_copyCount = m_window.CopyMatch(distance, lengthField);
    }
    return done;
}

int CPackageReader::NextTag()
{
    uint8_t tag = 0;
    if (m_bits.Position() < m_end && Decode(&tag, 1) == 1)
        m_lastTag = tag;
    else
        m_lastTag = kTagEnd;
    return m_lastTag;
}

uint32_t CPackageReader::ReadBytes(void* bytes, uint32_t count)
{
    uint32_t done = Decode(static_cast<uint8_t*>(bytes), count);
    m_crc = Crc32(m_crc, bytes, done);
    return done;
}

void CPackageReader::ReadDataInto(CStream& target)
{
    uint8_t chunk[kChunkSize];
    for (;;) {
        uint32_t got = ReadBytes(chunk, kChunkSize);
        target.Write(chunk, static_cast<int32_t>(got));
        if (got < kChunkSize)
            break;
    }
}

uint32_t CPackageReader::MeasureData()
{
    CCountingStream counter;
    ReadDataInto(counter);
    return counter.Total();
}

bool CPackageReader::ReadRecordHeader()
{
    uint8_t header[kHeaderSize];
    uint32_t got = Decode(header, kHeaderSize);
    m_expectedCrc = ReadBigEndian32(header);
    m_crc = 0;
    if (got < kHeaderSize) {
        m_expectedCrc = 0;
        return false;
    }
    return true;
}

bool CPackageReader::ReadEntry(const CUrl& base, CUrl& url)
{
    if (!ReadRecordHeader())
        return false;
    CTextBuilder name;
    for (;;) {
        char c = 0;
        if (ReadBytes(&c, 1) != 1 || c == 0)
            break;
        name.AppendChar(c);
    }
    if (name.Failed())
        return false;
    url = ParseUrl(name.Text());
    Resolve(url, base, true);
    return true;
}

bool CPackageReader::ReadTimes(uint8_t* times) { return ReadBytes(times, kTimeBytes) == kTimeBytes; }
