#include "tools/mkinstaller/CPackageWalk.h"
#include "package/BigEndian.h"

#include "package/CBufferedFile.h"
#include "package/CPackageReader.h"
#include "package/PackageTrailer.h"
#include "install/EntryPlacement.h"
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "tools/codepage/CCodePage.h"
#include "tools/mkinstaller/CDescText.h"
#include "tools/mkinstaller/WindowsName.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Any folder will do: names are only compared against it.
const char kDestination[] = "file:///C:/Destination";
constexpr int64_t kSeconds1904To1970 = 2082844800;

// The decoded segments of a URL path with "." and ".." applied, as the installation maps an
// entry to a native path.
bool DecodedSegments(const LString& path, std::vector<std::string>& segments)
{
    segments.clear();
    const char* at = path.Text();
    const char* end = at + path.Length();
    while (at < end) {
        const void* slash = std::memchr(at, '/', static_cast<size_t>(end - at));
        const char* stop = slash ? static_cast<const char*>(slash) : end;
        CTextBuilder segment;
        AppendDecodedSegment(segment, at, static_cast<size_t>(stop - at));
        at = stop + 1;
        if (segment.Failed())
            return false;
        const std::string text(segment.Text(), segment.Length());
        if (text.empty() || text == ".")
            continue;
        if (text == "..") {
            if (!segments.empty())
                segments.pop_back();
            continue;
        }
        segments.push_back(text);
    }
    return true;
}

// The entry's path below the destination; false when it is not below it or has a segment that
// Windows would not create as it stands.
bool RelativePath(const CUrl& entry, const CUrl& destination, const CCodePage& codePage, std::string& relative,
                  std::string& reason)
{
    if (!IsWithinDestination(entry, destination)) {
        reason = "lies outside the destination folder";
        return false;
    }
    std::vector<std::string> entrySegments, baseSegments;
    if (!DecodedSegments(entry.path, entrySegments) || !DecodedSegments(destination.path, baseSegments)) {
        reason = "out of memory";
        return false;
    }
    relative.clear();
    for (size_t i = baseSegments.size(); i < entrySegments.size(); ++i) {
        std::string utf8, local;
        if (!codePage.Decode(entrySegments[i], CCodePage::kUtf8, utf8) ||
            !codePage.Decode(entrySegments[i], CCodePage::kBuildText, local)) {
            reason = "is not text of code page " + std::to_string(codePage.Number()) +
                     " (give the --codepage the package was built with)";
            return false;
        }
        if (!IsWindowsName(utf8, &reason)) {
            reason = "has a name Windows cannot create: it " + reason;
            return false;
        }
        if (!relative.empty())
            relative += '/';
        relative += local;
    }
    return true;
}

const char* TagName(int tag)
{
    return tag == CPackageReader::kTagFile ? "file" : tag == CPackageReader::kTagFolder ? "folder" : "description";
}

} // namespace

int64_t CPackageWalk::UnixTime(uint32_t packageTime) { return int64_t(packageTime) - kSeconds1904To1970; }

bool CPackageWalk::Fail(const std::string& file, const std::string& reason)
{
    m_error = file + ": " + reason;
    return false;
}

bool CPackageWalk::Walk(const std::string& file, CPackageVisitor& visitor, unsigned codePage)
{
    m_codePage = codePage;
    m_error.clear();
    m_records = m_unchecked = 0;
    m_dataBytes = 0;
    CBufferedFile stream(file.c_str(), CFileStream::kModeRead, CFileStream::kFlagSequential);
    if (!stream.IsOpen())
        return Fail(file, "cannot open");
    FindPackage(stream, m_start, m_end);
    if (stream.Failed())
        return Fail(file, "cannot read");
    if (m_end == 0)
        return Fail(file, "no package found (no \"QXPK\" trailer whose length fits the file)");

    // On the heap: the reader holds a chunk buffer, and the 32-bit build keeps every stack frame
    // below a page.
    const std::unique_ptr<CPackageReader> owned = std::make_unique<CPackageReader>(stream, m_start, m_end);
    CPackageReader& reader = *owned;
    const CUrl destination = ParseUrl(kDestination);
    reader.Rewind();
    std::vector<uint8_t> chunk(CPackageReader::kChunkSize);
    for (int tag = reader.NextTag(); tag != CPackageReader::kTagEnd; tag = reader.NextTag()) {
        const std::string where = "record " + std::to_string(m_records + 1);
        if (m_records == 0 && tag != CPackageReader::kTagDescription)
            return Fail(file, "the package does not begin with its installation description");
        if (m_records > 0 && tag != CPackageReader::kTagFile && tag != CPackageReader::kTagFolder)
            return Fail(file, where + ": unknown record tag " + std::to_string(tag));
        ++m_records;

        WalkedEntry entry;
        std::string description;
        if (tag == CPackageReader::kTagDescription) {
            if (!reader.ReadRecordHeader())
                return Fail(file, where + ": the description breaks off");
            uint32_t got;
            do {
                got = reader.ReadBytes(chunk.data(), CPackageReader::kChunkSize);
                description.append(reinterpret_cast<const char*>(chunk.data()), got);
            } while (got == CPackageReader::kChunkSize);
        } else {
            CUrl url;
            if (!reader.ReadEntry(destination, url))
                return Fail(file, where + ": the " + std::string(TagName(tag)) + " entry breaks off");
            std::string reason;
            if (!RelativePath(url, destination, CCodePage(m_codePage), entry.path, reason))
                return Fail(file, where + ": the entry \"" + ComposeUrl(url).Text() + "\" " + reason);
            entry.folder = tag == CPackageReader::kTagFolder;
        }
        const std::string name = entry.path.empty() ? "." : entry.path;

        if (tag == CPackageReader::kTagFile) {
            uint8_t times[CPackageReader::kTimeBytes];
            if (!reader.ReadTimes(times))
                return Fail(file, where + " (" + name + "): the times break off");
            entry.created = ReadBigEndian32(times);
            entry.written = ReadBigEndian32(times + 4);
            if (!visitor.BeginFile(entry))
                return Fail(file, name + ": " + visitor.Error());
            uint32_t got;
            do {
                got = reader.ReadBytes(chunk.data(), CPackageReader::kChunkSize);
                entry.size += got;
                if (got > 0 && !visitor.FileData(chunk.data(), got))
                    return Fail(file, name + ": " + visitor.Error());
            } while (got == CPackageReader::kChunkSize);
            m_dataBytes += entry.size;
        }
        if (stream.Failed())
            return Fail(file, "cannot read");
        if (!reader.RecordIntact())
            return Fail(file, where + " (" + (tag == CPackageReader::kTagDescription ? "description" : name) +
                                  "): damaged, its bytes do not match its check sum");
        if (!reader.RecordChecked())
            ++m_unchecked;

        bool accepted = true;
        if (tag == CPackageReader::kTagDescription) {
            if (m_codePage == 0)
                m_codePage = CDescText::RecordedCodePage(description);
            if (m_codePage == 0)
                m_codePage = 1252;
            if (!CCodePage(m_codePage).IsUsable())
                return Fail(file, "code page " + std::to_string(m_codePage) + " is not one this machine converts");
            accepted = visitor.Description(description);
        }
        else if (tag == CPackageReader::kTagFolder)
            accepted = visitor.Folder(entry);
        else
            accepted = visitor.EndFile(entry);
        if (!accepted)
            return Fail(file, (tag == CPackageReader::kTagDescription ? std::string("description") : name) + ": " +
                                  visitor.Error());
    }
    if (stream.Failed())
        return Fail(file, "cannot read");
    if (m_records == 0)
        return Fail(file, "the package holds no records");
    // The last data run ends in the package's last byte; decoding that stops earlier met bytes
    // that are not a record.
    if (reader.SourcePosition() < m_end)
        return Fail(file, "the record stream breaks off at package byte " +
                              std::to_string(reader.SourcePosition() - m_start) + " of " +
                              std::to_string(m_end - m_start));
    return true;
}
