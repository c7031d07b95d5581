#include "package/CPackageReader.h"
#include "package/BigEndian.h"

#include "package/CCountingStream.h"
#include "package/Crc32.h"
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
    // Bytes of the last match that the previous request had no room for come first.
    uint32_t done = std::min(m_copyCount, count);
    if (done > 0) {
        if (out)
            std::memcpy(out, m_window.At(m_copyIndex), done);
        m_copyIndex += done;
        m_copyCount -= done;
    }
    if (!m_window.IsReady())
        return done;
    constexpr int kMatchBits = 1 + kDistanceBits + kLengthBits;
    const uint32_t longest = m_window.MaximumCopy();
    // Kept in a local: the compiler must assume that a decoded byte may change any member.
    const uint32_t shortest = m_window.MatchLength(0);
    bool more = true;
    while (more && done < count) {
        if (m_window.Room() <= longest)
            m_window.Slide();
        uint8_t* const begin = m_window.At(m_window.WriteIndex());
        uint8_t* const stop = begin + std::min(count - done, m_window.Room() - longest);
        uint8_t* at = begin;
        CBitReader::Buffer bits = m_bits.Take();
        while (at < stop) {
            if (!m_bits.Fill(bits, kMatchBits)) {
                // Near the end of the source a code may be cut short: field by field.
                m_bits.Give(bits);
                uint32_t distance = 0;
                uint32_t lengthField = 0;
                const bool code = ReadCodeFieldByField(at, distance, lengthField);
                bits = m_bits.Take();
                if (!code) {
                    more = false;
                    break;
                }
                if (distance != 0) {
                    CLzWindow::CopyMatch(at, distance, m_window.MatchLength(lengthField));
                    at += m_window.MatchLength(lengthField);
                }
                continue;
            }
            // The whole code is in the bit buffer: one look decides it.
            const uint32_t code = bits.Peek(kMatchBits);
            if (code >> (kMatchBits - 1)) {
                *at++ = static_cast<uint8_t>(code >> (kMatchBits - 9));
                bits.Skip(9);
                continue;
            }
            const uint32_t distance = code >> kLengthBits;
            if (distance == 0) {
                bits.Skip(1 + kDistanceBits);
                more = false;
                break;
            }
            bits.Skip(kMatchBits);
            const uint32_t length = shortest + (code & ((1u << kLengthBits) - 1));
            CLzWindow::CopyMatch(at, distance, length);
            at += length;
        }
        m_bits.Give(bits);
        const uint32_t produced = static_cast<uint32_t>(at - begin);
        const uint32_t given = std::min(produced, count - done);
        if (out)
            std::memcpy(out + done, begin, given);
        done += given;
        m_window.SetWriteIndex(m_window.WriteIndex() + produced);
        m_copyIndex = m_window.WriteIndex() - (produced - given);
        m_copyCount = produced - given;
    }
    return done;
}

bool CPackageReader::ReadCodeFieldByField(uint8_t*& at, uint32_t& distance, uint32_t& lengthField)
{
    // Near the end of the source a code may be cut short; whatever arrived of it is lost.
    uint32_t flag = 0;
    if (!m_bits.ReadBits(1, flag))
        return false;
    if (flag) {
        uint32_t literal = 0;
        if (!m_bits.ReadBits(8, literal))
            return false;
        *at++ = static_cast<uint8_t>(literal);
        distance = 0;
        return true;
    }
    return m_bits.ReadBits(kDistanceBits, distance) && distance != 0 && m_bits.ReadBits(kLengthBits, lengthField);
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
    for (;;) {
        uint32_t got = ReadBytes(m_chunk, kChunkSize);
        target.Write(m_chunk, static_cast<int32_t>(got));
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

uint32_t CPackageReader::MeasureDataUnchecked()
{
    uint32_t total = 0;
    for (;;) {
        const uint32_t got = Decode(nullptr, kChunkSize);
        // Saturates, as the counting stream does.
        total = UINT32_MAX - total < got ? UINT32_MAX : total + got;
        if (got < kChunkSize)
            return total;
    }
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
