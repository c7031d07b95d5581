#include "install/EntryPlacement.h"

#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"
#include "platform/TextCompare.h"

#include <cstring>

namespace {

// Walks the '/'-separated segments of a URL path, passing over empty ones.
class SegmentWalk {
public:
    explicit SegmentWalk(const LString& path) : m_at(path.Text()), m_end(path.Text() + path.Length()) {}

    bool Next(const char*& segment, size_t& length)
    {
        while (m_at < m_end && *m_at == '/')
            ++m_at;
        if (m_at >= m_end)
            return false;
        const void* slash = std::memchr(m_at, '/', static_cast<size_t>(m_end - m_at));
        const char* stop = slash ? static_cast<const char*>(slash) : m_end;
        segment = m_at;
        length = static_cast<size_t>(stop - m_at);
        m_at = stop;
        return true;
    }

private:
    const char* m_at;
    const char* m_end;
};

bool IsDotSegment(const char* segment, size_t length)
{
    CTextBuilder decoded;
    AppendDecodedSegment(decoded, segment, length);
    if (decoded.Failed())
        return true;
    return std::strcmp(decoded.Text(), ".") == 0 || std::strcmp(decoded.Text(), "..") == 0;
}

} // namespace

bool IsWithinDestination(const CUrl& entry, const CUrl& destination)
{
    if (!IsFileUrl(entry) || !IsFileUrl(destination))
        return false;
    if (!entry.netLocation.IsEmpty() || !destination.netLocation.IsEmpty())
        return false;

    SegmentWalk entryWalk(entry.path);
    SegmentWalk destinationWalk(destination.path);
    const char* base;
    size_t baseLength;
    int baseCount = 0;
    while (destinationWalk.Next(base, baseLength)) {
        const char* segment;
        size_t length;
        if (!entryWalk.Next(segment, length))
            return false;
        if (length != baseLength || std::memcmp(segment, base, length) != 0)
            return false;
        ++baseCount;
    }
    // Below the drive only: a destination URL without a drive segment is no destination.
    if (baseCount == 0)
        return false;
    const char* segment;
    size_t length;
    while (entryWalk.Next(segment, length)) {
        if (IsDotSegment(segment, length))
            return false;
    }
    return true;
}
