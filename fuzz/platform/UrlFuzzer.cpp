// Parses, composes and resolves arbitrary URL texts. The input is a base URL and a relative
// reference separated by the first newline. Checks that composing is stable under reparsing and
// that a merged path never keeps an empty, "." or ".." segment.
#include "platform/CTextBuilder.h"
#include "platform/CUrl.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckComposeIsStable(const CUrl& url)
{
    LString once = ComposeUrl(url);
    LString twice = ComposeUrl(ParseUrl(once.Text()));
    Check(once == twice);
}

bool HasDotOrEmptySegment(const LString& path)
{
    const char* text = path.Text();
    if (!*text)
        return false;
    if (*text != '/')
        return true;
    const char* at = text + 1;
    for (;;) {
        const char* slash = std::strchr(at, '/');
        size_t length = slash ? static_cast<size_t>(slash - at) : std::strlen(at);
        if (length == 0 || (length == 1 && at[0] == '.') || (length == 2 && at[0] == '.' && at[1] == '.'))
            return true;
        if (!slash)
            return false;
        at = slash + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    input = input.c_str(); // URLs are NUL-terminated texts
    size_t newline = input.find('\n');
    std::string baseText = input.substr(0, newline);
    std::string relativeText = newline == std::string::npos ? std::string() : input.substr(newline + 1);

    CUrl base = ParseUrl(baseText.c_str());
    CUrl relative = ParseUrl(relativeText.c_str());
    CheckComposeIsStable(base);
    CheckComposeIsStable(relative);

    for (bool folder : {false, true}) {
        CUrl resolved = relative;
        Resolve(resolved, base, folder);
        bool merged = !base.IsEmpty() && !relative.IsEmpty() && relative.scheme.IsEmpty()
            && relative.netLocation.IsEmpty() && !relative.path.IsEmpty() && relative.path.Text()[0] != '/';
        if (merged)
            Check(!HasDotOrEmptySegment(resolved.path));
        CheckComposeIsStable(resolved);
    }

    CTextBuilder encoded;
    AppendEncodedSegment(encoded, relativeText.data(), relativeText.size());
    CTextBuilder decoded;
    AppendDecodedSegment(decoded, encoded.Text(), encoded.Length());
    Check(decoded.Length() == relativeText.size()
          && std::memcmp(decoded.Text(), relativeText.data(), relativeText.size()) == 0);
    return 0;
}
