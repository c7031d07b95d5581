#include "platform/CUrl.h"

#include "platform/CTextBuilder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Encoded(const char* segment)
{
    CTextBuilder out;
    AppendEncodedSegment(out, segment, std::strlen(segment));
    return out.Text();
}

std::string Decoded(const char* segment, size_t length)
{
    CTextBuilder out;
    AppendDecodedSegment(out, segment, length);
    return std::string(out.Text(), out.Length());
}

std::string ResolvedPath(const char* relative, const char* base, bool baseIsFolder)
{
    CUrl url = ParseUrl(relative);
    Resolve(url, ParseUrl(base), baseIsFolder);
    return url.path.Text();
}

} // namespace

TEST(ParseUrl, SplitsAllSixParts)
{
    CUrl url = ParseUrl("http://host:80/a/b;type=x?q=1#top");
    EXPECT_STREQ(url.scheme.Text(), "http");
    EXPECT_STREQ(url.netLocation.Text(), "host:80");
    EXPECT_STREQ(url.path.Text(), "/a/b");
    EXPECT_STREQ(url.parameters.Text(), "type=x");
    EXPECT_STREQ(url.query.Text(), "q=1");
    EXPECT_STREQ(url.fragment.Text(), "top");
}

TEST(ParseUrl, FileUrlHasEmptyNetLocationAndKeepsEscapes)
{
    CUrl url = ParseUrl("file:///C:/a%20b/c.txt");
    EXPECT_STREQ(url.scheme.Text(), "file");
    EXPECT_TRUE(url.netLocation.IsEmpty());
    EXPECT_STREQ(url.path.Text(), "/C:/a%20b/c.txt");
}

TEST(ParseUrl, SchemeNeedsALeadingRunOfSchemeCharactersEndingInColon)
{
    // ':' first: no scheme, the colon belongs to the path.
    EXPECT_STREQ(ParseUrl(":x").path.Text(), ":x");
    EXPECT_TRUE(ParseUrl(":x").scheme.IsEmpty());
    // A character that cannot be in a scheme stops the scan.
    CUrl spaced = ParseUrl("a b:c");
    EXPECT_TRUE(spaced.scheme.IsEmpty());
    EXPECT_STREQ(spaced.path.Text(), "a b:c");
    // '#' is cut first, so a colon in the fragment makes no scheme.
    CUrl fragment = ParseUrl("abc#d:e");
    EXPECT_TRUE(fragment.scheme.IsEmpty());
    EXPECT_STREQ(fragment.path.Text(), "abc");
    EXPECT_STREQ(fragment.fragment.Text(), "d:e");
    EXPECT_STREQ(ParseUrl("x-1.y+z:rest").scheme.Text(), "x-1.y+z");
}

TEST(ParseUrl, RelativeNamesAndNullText)
{
    CUrl name = ParseUrl("Manual/index.html");
    EXPECT_TRUE(name.scheme.IsEmpty());
    EXPECT_TRUE(name.netLocation.IsEmpty());
    EXPECT_STREQ(name.path.Text(), "Manual/index.html");
    EXPECT_TRUE(ParseUrl(nullptr).IsEmpty());
    EXPECT_TRUE(ParseUrl("").IsEmpty());
    // A net location without a path ends at the end of the text.
    CUrl host = ParseUrl("//server");
    EXPECT_STREQ(host.netLocation.Text(), "server");
    EXPECT_TRUE(host.path.IsEmpty());
    // '?' is cut before ';', so a ';' in the query stays in the query.
    CUrl query = ParseUrl("a?b;c");
    EXPECT_STREQ(query.query.Text(), "b;c");
    EXPECT_TRUE(query.parameters.IsEmpty());
}

TEST(ComposeUrl, WritesAbsoluteUrlsWithSlashBeforeThePath)
{
    CUrl url;
    url.scheme = "file";
    url.path = "C:/dir";
    EXPECT_STREQ(ComposeUrl(url).Text(), "file:///C:/dir");
    url.path = "";
    EXPECT_STREQ(ComposeUrl(url).Text(), "file:///");
    EXPECT_STREQ(ComposeUrl(ParseUrl("http://h/p;x?y#z")).Text(), "http://h/p;x?y#z");
}

TEST(ComposeUrl, RelativeReferenceRoundTrips)
{
    for (const char* text : {"a/b.txt", "../x", "a;p?q#f", "%2e%2e/y", "////x", "//host/p"}) {
        EXPECT_STREQ(ComposeUrl(ParseUrl(text)).Text(), text);
    }
}

TEST(Resolve, DotSegmentsWithAndWithoutFolderBase)
{
    EXPECT_EQ(ResolvedPath("sub/../x.txt", "file:///C:/dest", true), "/C:/dest/x.txt");
    EXPECT_EQ(ResolvedPath("sub/../x.txt", "file:///C:/dest", false), "/C:/x.txt");
    EXPECT_EQ(ResolvedPath("./a//b/./c", "file:///C:/d", true), "/C:/d/a/b/c");
    // Trailing '/' is not kept; ".." above the top is dropped.
    EXPECT_EQ(ResolvedPath("a/", "file:///C:/d", true), "/C:/d/a");
    EXPECT_EQ(ResolvedPath("../../../../x", "file:///C:/d", true), "/x");
    EXPECT_EQ(ResolvedPath("..", "file:///C:", true), "");
    // Escaped dots are ordinary segments for the resolver.
    EXPECT_EQ(ResolvedPath("%2e%2e/x", "file:///C:/d", true), "/C:/d/%2e%2e/x");
}

TEST(Resolve, TakesSchemeNetLocationAndPathFromTheBase)
{
    CUrl base = ParseUrl("file:///C:/d;p?q");
    CUrl absolute = ParseUrl("/D:/x");
    Resolve(absolute, base, true);
    EXPECT_STREQ(absolute.scheme.Text(), "file");
    EXPECT_STREQ(absolute.path.Text(), "/D:/x");

    CUrl other = ParseUrl("http://h/x");
    Resolve(other, base, true);
    EXPECT_STREQ(ComposeUrl(other).Text(), "http://h/x");

    CUrl net = ParseUrl("//server/share");
    Resolve(net, base, true);
    EXPECT_STREQ(ComposeUrl(net).Text(), "file://server/share");

    CUrl queryOnly = ParseUrl("?z");
    Resolve(queryOnly, base, true);
    EXPECT_STREQ(queryOnly.path.Text(), "/C:/d");
    EXPECT_STREQ(queryOnly.parameters.Text(), "p");
    EXPECT_STREQ(queryOnly.query.Text(), "z");

    CUrl empty;
    Resolve(empty, base, true);
    EXPECT_STREQ(ComposeUrl(empty).Text(), "file:///C:/d;p?q");

    CUrl unchanged = ParseUrl("a/b");
    Resolve(unchanged, CUrl(), true);
    EXPECT_STREQ(unchanged.path.Text(), "a/b");
    EXPECT_TRUE(unchanged.scheme.IsEmpty());
}

TEST(IsFileUrl, IgnoresLetterCase)
{
    EXPECT_TRUE(IsFileUrl(ParseUrl("FILE:///C:/x")));
    EXPECT_TRUE(IsFileUrl(ParseUrl("File:///C:/x")));
    EXPECT_FALSE(IsFileUrl(ParseUrl("http://h/x")));
    EXPECT_FALSE(IsFileUrl(ParseUrl("files:///C:/x")));
    EXPECT_FALSE(IsFileUrl(ParseUrl("C:/x")));
}

TEST(SegmentEncoding, EscapesEverythingButTheSafeSet)
{
    EXPECT_EQ(Encoded("."), "%2e");
    EXPECT_EQ(Encoded(".."), "%2e%2e");
    EXPECT_EQ(Encoded("..."), "...");
    EXPECT_EQ(Encoded("Program Files"), "Program%20Files");
    EXPECT_EQ(Encoded("a!$'()*+,-._Z9"), "a!$'()*+,-._Z9");
    EXPECT_EQ(Encoded("a/b;c?d#e%f"), "a%2fb%3bc%3fd%23e%25f");
    EXPECT_EQ(Encoded("\x83\x5c"), "%83%5c");
    CTextBuilder withNul;
    AppendEncodedSegment(withNul, "a\0b", 3);
    EXPECT_STREQ(withNul.Text(), "a%00b");
}

TEST(SegmentEncoding, DecodingReversesEncoding)
{
    const char bytes[] = "x \x01\xff/;%.";
    CTextBuilder encoded;
    AppendEncodedSegment(encoded, bytes, sizeof bytes - 1);
    EXPECT_EQ(Decoded(encoded.Text(), encoded.Length()), std::string(bytes, sizeof bytes - 1));
    EXPECT_EQ(Decoded("%2E%2e", 6), "..");
    // Incomplete or invalid escapes stand for themselves.
    EXPECT_EQ(Decoded("%", 1), "%");
    EXPECT_EQ(Decoded("a%4", 3), "a%4");
    EXPECT_EQ(Decoded("%zz%41", 6), "%zzA");
}
