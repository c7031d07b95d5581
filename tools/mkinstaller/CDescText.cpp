#include "tools/mkinstaller/CDescText.h"

#include "install/CDescScanner.h"
#include "install/CInstDesc.h"
#include "platform/CTextBuilder.h"
#include "tools/codepage/CCodePage.h"
#include "tools/mkinstaller/CDiagnostics.h"

#include <cstdlib>

namespace {

// The length of the UTF-8 sequence at text[i], or 0 when it is not a valid one (overlong
// forms, surrogates and values above U+10FFFF are not).
size_t Utf8Length(const std::string& text, size_t i)
{
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x80)
        return 1;
    size_t length;
    unsigned value;
    if (c >= 0xC2 && c <= 0xDF)
        length = 2, value = c & 0x1Fu;
    else if (c >= 0xE0 && c <= 0xEF)
        length = 3, value = c & 0x0Fu;
    else if (c >= 0xF0 && c <= 0xF4)
        length = 4, value = c & 0x07u;
    else
        return 0;
    if (i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k) {
        const unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (next & 0x3Fu);
    }
    if ((length == 3 && (value < 0x800 || (value >= 0xD800 && value <= 0xDFFF))) ||
        (length == 4 && (value < 0x10000 || value > 0x10FFFF)))
        return 0;
    return length;
}

// Whether the installer reads a number from a tag's argument (else it takes 1033).
bool HasNumber(const std::string& text)
{
    size_t i = text.find_first_not_of(" \t");
    if (i != std::string::npos && text[i] == '-')
        ++i;
    return i < text.size() && text[i] >= '0' && text[i] <= '9';
}

std::string CodePageSection(unsigned codePage)
{
    return std::string("\r\n<") + CDescText::kCodePageKey + ">" + std::to_string(codePage) + "\r\n";
}

std::string Hex(unsigned char byte)
{
    const char digits[] = "0123456789ABCDEF";
    return std::string("0x") + digits[byte >> 4] + digits[byte & 15];
}

// Reports every byte of an 8-bit section that starts no character of its code page: Windows
// would show a box or another character in its place.
void CheckCharacters(const std::string& text, const DescSpan& span, unsigned number, const CTextPositions& positions,
                     CDiagnostics& problems)
{
    const CCodePage codePage(number);
    std::string out;
    if (codePage.Decode(text.substr(span.start, span.end - span.start), CCodePage::kUtf8, out))
        return;
    for (size_t at = span.start; at < span.end;) {
        // A character of a Windows code page is one byte or two.
        size_t length = 1;
        while (length <= 2 && (at + length > span.end || !codePage.Decode(text.substr(at, length), CCodePage::kUtf8, out)))
            ++length;
        if (length <= 2) {
            at += length;
            continue;
        }
        problems.Add(positions, at, false,
                     "byte " + Hex(static_cast<unsigned char>(text[at])) + " begins no character of code page " +
                         std::to_string(number) + ": Windows shows something else in its place",
                     "save the description as UTF-8, or in the code page of its sections");
        ++at;
    }
}

} // namespace

size_t CDescText::FirstNotUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8Length(text, i);
        if (length == 0)
            return i;
        i += length;
    }
    return kNotUtf8;
}

size_t CDescText::TagStart(const CDescScanner& scanner, const CTextBuilder& key)
{
    // The scanner has read '<', the key, and (unless the text ended) the '>' or line end.
    const size_t read = key.Length() + 1 + (scanner.CurrentState() == CDescScanner::kName ? 0 : 1);
    return scanner.Position() - read;
}

std::vector<DescSpan> CDescText::Sections(const std::string& text)
{
    std::vector<DescSpan> spans(1);
    CDescScanner scanner(text.data(), text.size());
    for (;;) {
        CTextBuilder key;
        if (!scanner.NextKey(key))
            break;
        DescSpan span;
        span.start = TagStart(scanner, key);
        span.hasTag = true;
        span.key.assign(key.Text(), key.Length());
        span.tagClosed = scanner.CurrentState() == CDescScanner::kArgument;
        CTextBuilder argument;
        scanner.Argument(&argument);
        span.argument.assign(argument.Text(), argument.Length());
        span.tagged = HasNumber(span.argument);
        span.language = CInstDesc::LanguageNumber(argument.Text());
        spans.back().end = span.start;
        spans.push_back(span);
    }
    spans.back().end = text.size();
    return spans;
}

unsigned CDescText::CodePageOf(const DescSpan& span, unsigned packageCodePage)
{
    return span.tagged ? AnsiCodePageOfLanguage(span.language) : packageCodePage;
}

bool CDescText::ToPackage(const std::string& text, unsigned packageCodePage, std::string& packed,
                          const CTextPositions& positions, CDiagnostics& problems, std::vector<size_t>* sources)
{
    packed.clear();
    std::vector<size_t> from;
    const size_t notUtf8 = FirstNotUtf8(text);
    if (notUtf8 != kNotUtf8) {
        problems.Add(positions, notUtf8, false,
                     "byte " + Hex(static_cast<unsigned char>(text[notUtf8])) +
                         " is not UTF-8: the description is packed unconverted, as text of code page " +
                         std::to_string(packageCodePage) + " (a section tagged with a language: of its code page)",
                     "save the description as UTF-8 to have it converted for every language");
        packed = text;
        for (size_t i = 0; i < text.size(); ++i)
            from.push_back(i);
        for (const DescSpan& span : Sections(text))
            CheckCharacters(text, span, CodePageOf(span, packageCodePage), positions, problems);
    }
    bool converted = true;
    for (const DescSpan& span : notUtf8 == kNotUtf8 ? Sections(text) : std::vector<DescSpan>()) {
        const CCodePage codePage(CodePageOf(span, packageCodePage));
        size_t at = span.start;
        if (at == 0 && text.compare(0, 3, kByteOrderMark) == 0)
            at = 3 < span.end ? 3 : span.end;
        // Character by character, so that every one without a form is reported and every
        // packed byte knows where it came from. ASCII is the same in every ANSI code page.
        for (size_t length; at < span.end; at += length) {
            length = Utf8Length(text, at);
            std::string out;
            if (length == 1) {
                out = text[at];
            } else if (!codePage.Encode(text.substr(at, length), CCodePage::kUtf8, out)) {
                converted = false;
                const std::string where = span.hasTag ? "the section <" + span.key + ">" + span.argument : "the text";
                problems.Add(positions, at, true,
                             "\"" + text.substr(at, length) + "\" in " + where + " has no form in code page " +
                                 std::to_string(codePage.Number()),
                             span.tagged ? "sections for language " + std::to_string(span.language) +
                                               " are packed in code page " + std::to_string(codePage.Number()) +
                                               "; write the text in its characters"
                                         : "untagged sections are packed in the package's code page; choose another "
                                           "with --codepage, or tag the section with its language");
                continue;
            }
            packed += out;
            from.insert(from.end(), out.size(), at);
        }
    }
    packed += CodePageSection(packageCodePage);
    from.resize(packed.size() + 1, text.size());
    if (sources)
        sources->swap(from);
    return converted;
}

std::string CDescText::FromPackage(const std::string& packed, unsigned codePage)
{
    if (codePage == 0)
        codePage = RecordedCodePage(packed);
    if (codePage == 0)
        codePage = 1252;
    std::string shown;
    for (const DescSpan& span : Sections(packed)) {
        const std::string piece = packed.substr(span.start, span.end - span.start);
        std::string out;
        shown += CCodePage(CodePageOf(span, codePage)).Decode(piece, CCodePage::kBuildText, out) ? out : piece;
    }
    return shown;
}

unsigned CDescText::RecordedCodePage(const std::string& packed)
{
    for (const DescSpan& span : Sections(packed)) {
        if (span.hasTag && span.key == kCodePageKey)
            return static_cast<unsigned>(std::strtoul(span.argument.c_str(), nullptr, 10));
    }
    return 0;
}
