#include "platform/CUrl.h"

#include "platform/CTextBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The six parts, separated by '|'.
std::string Parts(const CUrl& url)
{
    return std::string(url.scheme.Text()) + "|" + url.netLocation.Text() + "|" + url.path.Text() + "|" +
           url.parameters.Text() + "|" + url.query.Text() + "|" + url.fragment.Text();
}

std::string Decoded(const char* segment)
{
    CTextBuilder out;
    AppendDecodedSegment(out, segment, std::strlen(segment));
    return std::string(out.Text(), out.Length());
}

} // namespace

TEST(CUrl, ParsesIntoSixPartsAndComposesBack)
{
    const struct {
        const char* text;
        const char* parts;
    } cases[] = {
        {"http://host:80/a/b;type=x?q=1#top", "http|host:80|/a/b|type=x|q=1|top"},
        {"file:///C:/a%20b/c.txt", "file||/C:/a%20b/c.txt|||"}, // escapes stay
        // A scheme is a leading run of scheme characters ending in ':'; '#' is cut first.
        {":x", "||:x|||"},
        {"a b:c", "||a b:c|||"},
        {"abc#d:e", "||abc|||d:e"},
        {"//host/p", "|host|/p|||"},
        {"a?b;c", "||a||b;c|"}, // '?' is cut before ';'
        {"Manual/index.html", "||Manual/index.html|||"},
        {"../x", "||../x|||"},
        {"%2e%2e/y", "||%2e%2e/y|||"},
        {"////x", "||//x|||"},
        {"", "|||||"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Parts(ParseUrl(c.text)), c.parts) << c.text;
        EXPECT_STREQ(ComposeUrl(ParseUrl(c.text)).Text(), c.text);
    }
    EXPECT_TRUE(ParseUrl(nullptr).IsEmpty());
    EXPECT_EQ(Parts(ParseUrl("x-1.y+z:rest")), "x-1.y+z||rest|||");
    EXPECT_EQ(Parts(ParseUrl("//server")), "|server||||");
}

TEST(CUrl, ResolvesAgainstTheBase)
{
    const struct {
        const char* relative;
        const char* base;
        bool baseIsFolder;
        const char* parts;
    } cases[] = {
        {"sub/../x.txt", "file:///C:/dest", true, "file||/C:/dest/x.txt|||"},
        {"sub/../x.txt", "file:///C:/dest", false, "file||/C:/x.txt|||"},
        {"./a//b/./c", "file:///C:/d", true, "file||/C:/d/a/b/c|||"},
        // A trailing '/' is not kept; ".." above the top is dropped; escaped dots are names.
        {"a/", "file:///C:/d", true, "file||/C:/d/a|||"},
        {"../../../../x", "file:///C:/d", true, "file||/x|||"},
        {"..", "file:///C:", true, "file|||||"},
        {"%2e%2e/x", "file:///C:/d", true, "file||/C:/d/%2e%2e/x|||"},
        // The base gives what the reference lacks, up to the first part it has.
        {"/D:/x", "file:///C:/d;p?q", true, "file||/D:/x|||"},
        {"http://h/x", "file:///C:/d;p?q", true, "http|h|/x|||"},
        {"//server/share", "file:///C:/d;p?q", true, "file|server|/share|||"},
        {"?z", "file:///C:/d;p?q", true, "file||/C:/d|p|z|"},
        {"", "file:///C:/d;p?q", true, "file||/C:/d|p|q|"},
        {"a/b", "", true, "||a/b|||"},
    };
    for (const auto& c : cases) {
        CUrl url = ParseUrl(c.relative);
        Resolve(url, ParseUrl(c.base), c.baseIsFolder);
        EXPECT_EQ(Parts(url), c.parts) << c.relative << " against " << c.base;
    }
}

TEST(CUrl, SegmentsAreEncodedAndDecodedByteForByte)
{
    const struct {
        std::string segment;
        const char* encoded;
    } cases[] = {
        {".", "%2e"},
        {"..", "%2e%2e"},
        {"...", "..."},
        {"Program Files", "Program%20Files"},
        {"a!$'()*+,-._Z9", "a!$'()*+,-._Z9"},
        {"a/b;c?d#e%f", "a%2fb%3bc%3fd%23e%25f"},
        {std::string("\x83\x5c\x01\xff\0b", 6), "%83%5c%01%ff%00b"},
    };
    for (const auto& c : cases) {
        CTextBuilder encoded;
        AppendEncodedSegment(encoded, c.segment.data(), c.segment.size());
        EXPECT_STREQ(encoded.Text(), c.encoded);
        EXPECT_EQ(Decoded(c.encoded), c.segment) << c.encoded;
    }
    // Escapes in either case; incomplete or invalid ones stand for themselves.
    EXPECT_EQ(Decoded("%2E%2e"), "..");
    EXPECT_EQ(Decoded("%"), "%");
    EXPECT_EQ(Decoded("a%4"), "a%4");
    EXPECT_EQ(Decoded("%zz%41"), "%zzA");
}
