#pragma once

#include "package/CBitReader.h"
#include "package/CLzWindow.h"
#include "package/CStream.h"

struct CUrl;

// Reads the package's record stream: one compressed bit stream of tagged records (a
// description, then folder and file entries in creation order).
//
// Every record after its tag opens with a 4-byte header: the CRC-32 of the record's decoded
// body that follows the header (entry name with its 0, time bytes and data run; for the
// description its data run), big-endian. A header of zero is not checked (older packages).
class CPackageReader {
public:
    static constexpr int kTagEnd = 0;
    static constexpr int kTagDescription = 1;
    static constexpr int kTagFile = 4;
    static constexpr int kTagFolder = 5;

    static constexpr int kDistanceBits = 13;
    static constexpr int kLengthBits = 4;
    static constexpr uint32_t kChunkSize = 4096;
    static constexpr uint32_t kHeaderSize = 4;
    static constexpr uint32_t kTimeBytes = 8;

    // Does not move the source; call Rewind before the first tag.
    CPackageReader(CStream& source, uint32_t start, uint32_t end);

    // Back to the first record; the history is kept (it only ever holds produced bytes).
    void Rewind();
    // Decodes the next record's tag; 0 at the package end or when nothing can be decoded.
    int NextTag();
    int LastTag() const { return m_lastTag; }

    // Decodes up to count bytes of the current data run; fewer means the run (or the source)
    // ended.
    uint32_t ReadBytes(void* bytes, uint32_t count);
    // Writes the data run into the target in 4096-byte chunks, the last one short (maybe empty).
    void ReadDataInto(CStream& target);
    // Consumes the data run and returns its length.
    uint32_t MeasureData();
    // The same without computing the check sum, for a walk that wants sizes alone (the
    // pre-scan), about a fifth faster; RecordIntact() does not apply to the record then.
    uint32_t MeasureDataUnchecked();

    // Reads the 4-byte record header; false when it is cut short.
    bool ReadRecordHeader();
    // Reads the header and the entry name and resolves the name against the base folder URL.
    bool ReadEntry(const CUrl& base, CUrl& url);
    // Reads the 8 time bytes of a file entry; false when fewer arrive.
    bool ReadTimes(uint8_t* times);
    // After a whole record has been read: false when its bytes do not match its header.
    bool RecordIntact() const { return m_expectedCrc == 0 || m_expectedCrc == m_crc; }
    // Whether the current record carries a check sum at all.
    bool RecordChecked() const { return m_expectedCrc != 0; }

    uint32_t SourcePosition() const { return m_bits.Position(); }
    uint32_t Start() const { return m_start; }
    uint32_t End() const { return m_end; }

private:
    // Decodes up to count bytes into out, or into the history alone when out is null.
    uint32_t Decode(uint8_t* out, uint32_t count);
    // One code read field by field: a literal goes to `at` (distance 0), a match gives its
    // fields; false at an end code or when the source runs dry.
    bool ReadCodeFieldByField(uint8_t*& at, uint32_t& distance, uint32_t& lengthField);

    CStream& m_source;
    uint32_t m_start;
    uint32_t m_end;
    CBitReader m_bits;
    CLzWindow m_window;
    // Decoded bytes of the last match not handed out yet: where they start in the window's
    // buffer, and how many.
    uint32_t m_copyIndex = 0;
    uint32_t m_copyCount = 0;
    int m_lastTag = kTagEnd;
    uint32_t m_expectedCrc = 0;
    uint32_t m_crc = 0;
    // ReadDataInto's chunk: a page on the stack would need the stack probed, which the shipped
    // program's code is built without.
    uint8_t m_chunk[kChunkSize];
};
