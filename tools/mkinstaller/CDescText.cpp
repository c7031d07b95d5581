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

bool HasDigit(const std::string& text)
{
    for (char c : text)
        if (c >= '0' && c <= '9')
            return true;
    return false;
}

// The first character of a UTF-8 piece that has no form in the code page; its offset.
size_t FirstUnconvertible(const std::string& piece, const CCodePage& codePage)
{
    for (size_t i = 0; i < piece.size();) {
        const size_t length = Utf8Length(piece, i);
        std::string out;
        if (!codePage.Encode(piece.substr(i, length), CCodePage::kUtf8, out))
            return i;
        i += length;
    }
    return piece.size();
}

std::string CodePageSection(unsigned codePage)
{
    return std::string("<") + CDescText::kCodePageKey + ">" + std::to_string(codePage) + "\r\n";
}

} // namespace

bool CDescText::IsUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const size_t length = Utf8Length(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
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
        span.tagged = HasDigit(span.argument);
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
                          const CTextPositions& positions, CDiagnostics& problems)
{
    packed = CodePageSection(packageCodePage);
    if (!IsUtf8(text)) {
        packed += text;
        return true;
    }
    bool converted = true;
    for (const DescSpan& span : Sections(text)) {
        size_t start = span.start;
        if (start == 0 && text.compare(0, 3, kByteOrderMark) == 0)
            start = 3 < span.end ? 3 : span.end;
        const std::string piece = text.substr(start, span.end - start);
        const CCodePage codePage(CodePageOf(span, packageCodePage));
        std::string out;
        if (codePage.Encode(piece, CCodePage::kUtf8, out)) {
            packed += out;
            continue;
        }
        converted = false;
        const size_t bad = FirstUnconvertible(piece, codePage);
        const std::string character = piece.substr(bad, Utf8Length(piece, bad));
        const std::string where = span.hasTag ? "the section <" + span.key + ">" + span.argument : "the text";
        std::string note;
        if (span.tagged)
            note = "sections for language " + std::to_string(span.language) + " are packed in code page " +
                   std::to_string(codePage.Number()) + "; write the text in its characters";
        else
            note = "untagged sections are packed in the package's code page; choose another with --codepage, "
                   "or tag the section with its language";
        problems.Add(positions, start + bad, true,
                     "\"" + character + "\" in " + where + " has no form in code page " +
                         std::to_string(codePage.Number()),
                     note);
    }
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
