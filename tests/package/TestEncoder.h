#pragma once

// A small encoder for tests: writes the decoder's codes bit by bit and builds records with
// their check values, so that packages with exact contents (and exact damage) can be made.

#include "package/Crc32.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

class BitWriter {
public:
    void Bits(uint32_t value, int n)
    {
        for (int i = n - 1; i >= 0; --i) {
            m_current = static_cast<uint8_t>((m_current << 1) | ((value >> i) & 1));
            if (++m_used == 8) {
                m_bytes.push_back(m_current);
                m_used = 0;
                m_current = 0;
            }
        }
    }
    void Literal(uint8_t b) { Bits(1, 1), Bits(b, 8); }
    void Literals(const std::string& text)
    {
        for (unsigned char c : text)
            Literal(c);
    }
    void Match(uint32_t distance, uint32_t lengthField) { Bits(0, 1), Bits(distance, 13), Bits(lengthField, 4); }
    void EndCode() { Bits(0, 1), Bits(0, 13); }
    // The bytes so far, the last one padded with zero bits.
    std::vector<uint8_t> Bytes() const
    {
        std::vector<uint8_t> out = m_bytes;
        if (m_used)
            out.push_back(static_cast<uint8_t>(m_current << (8 - m_used)));
        return out;
    }

private:
    std::vector<uint8_t> m_bytes;
    uint8_t m_current = 0;
    int m_used = 0;
};

inline std::string BigEndian(uint32_t value)
{
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>(value >> (24 - 8 * i));
    return out;
}

// Writes records literally; `check` false writes a zero header (no check value).
class RecordWriter {
public:
    explicit RecordWriter(bool check = true) : m_check(check) {}

    void Description(const std::string& text) { Record(1, text, true); }
    void Folder(const std::string& name) { Record(5, name + std::string(1, '\0'), false); }
    void File(const std::string& name, const std::string& data, uint32_t created = 0, uint32_t written = 0)
    {
        m_bits.Literal(4);
        std::string body = name + std::string(1, '\0') + BigEndian(created) + BigEndian(written);
        Header(Crc32(Crc32(0, body.data(), body.size()), data.data(), data.size()));
        m_bits.Literals(body);
        m_bits.Literals(data);
        m_bits.EndCode();
    }
    void Tag(uint8_t tag) { m_bits.Literal(tag); }
    BitWriter& Bits() { return m_bits; }
    std::vector<uint8_t> Bytes() const { return m_bits.Bytes(); }

private:
    void Header(uint32_t crc) { m_bits.Literals(BigEndian(m_check ? crc : 0)); }
    void Record(uint8_t tag, const std::string& body, bool run)
    {
        m_bits.Literal(tag);
        Header(Crc32(0, body.data(), body.size()));
        m_bits.Literals(body);
        if (run)
            m_bits.EndCode();
    }

    BitWriter m_bits;
    bool m_check;
};

// An executable image, the package and its trailer, as one file's bytes.
inline std::string ProgramFile(const std::string& image, const std::vector<uint8_t>& package)
{
    std::string out = image;
    out.append(package.begin(), package.end());
    out += "QXPK" + BigEndian(static_cast<uint32_t>(package.size()));
    return out;
}

} // namespace testsupport
