#pragma once

#include <cstddef>
#include <string>
#include <vector>

class CDiagnostics;
class CTextPositions;
class CDescScanner;
class CTextBuilder;

// One section of a description as the installer's scanner finds it: from the '<' of its tag
// to the '<' of the next (the text before the first tag is a section without a key).
struct DescSpan {
    size_t start = 0;
    size_t end = 0;
    std::string key;
    std::string argument;
    bool hasTag = false;
    bool tagClosed = false; // the key ended at '>', not at the end of its line
    bool tagged = false;    // the tag names a language
    long language = 1033;
};

// The description's text on its way into the package and back. Vendors write descriptions in
// UTF-8; the installer reads 8-bit text in the code page of the language that each section is
// meant for. A UTF-8 description is therefore converted section by section: a section tagged
// with a language goes to that language's ANSI code page, an untagged one to the package's
// code page. A text that is not UTF-8 is taken as 8-bit text already and packed as it stands.
// The package's code page follows the vendor's text as a section of its own, "<CodePage>N",
// behind a line break: whatever state the vendor's last line leaves the installer's scanner
// in, a line break ends it as the end of the text would, and the installer skips the unknown
// section. Put in front, it would turn blanks or a mark before the first tag into value text
// and hide that tag.
class CDescText {
public:
    static constexpr const char* kByteOrderMark = "\xEF\xBB\xBF";
    static constexpr size_t kNotUtf8 = ~size_t(0);
    static constexpr const char* kCodePageKey = "CodePage";

    static bool IsUtf8(const std::string& text) { return FirstNotUtf8(text) == kNotUtf8; }
    // The offset of the first byte that does not begin a valid UTF-8 sequence; kNotUtf8: none.
    static size_t FirstNotUtf8(const std::string& text);
    // The sections in order, the text before the first tag included (it has no tag).
    static std::vector<DescSpan> Sections(const std::string& text);
    // The offset of the tag's '<' from a scanner that has just read the key.
    static size_t TagStart(const CDescScanner& scanner, const CTextBuilder& key);
    // The code page a section's text is packed in.
    static unsigned CodePageOf(const DescSpan& span, unsigned packageCodePage);

    // The packed description; false with every character that has no form in its section's
    // code page reported at its line and column. sources, when given, receives for every
    // packed byte (and for the end) the offset in `text` it comes from.
    static bool ToPackage(const std::string& text, unsigned packageCodePage, std::string& packed,
                          const CTextPositions& positions, CDiagnostics& problems,
                          std::vector<size_t>* sources = nullptr);
    // The packed description in the build machine's text, for showing; a section that does not decode stays as
    // it is. codePage 0: the one the package records (1252 when it records none).
    static std::string FromPackage(const std::string& packed, unsigned codePage);
    // The code page recorded in a packed description; 0 when there is none.
    static unsigned RecordedCodePage(const std::string& packed);
};
