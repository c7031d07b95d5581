#pragma once

#include <filesystem>
#include <string>

// One Windows code page, and exact conversion of text into it and back. The installer hands
// names and texts unconverted to the "A" functions, so the packer must write them in the code
// page of the machines that install the product. Text comes either in the build machine's own
// encoding (file names: UTF-8 on Linux, the ANSI code page when the packer runs on Windows)
// or in UTF-8 (descriptions). A character without an exact form is refused, never replaced by
// a look-alike or a default character.
class CCodePage {
public:
    enum Encoding { kBuildText, kUtf8 };

    explicit CCodePage(unsigned number) : m_number(number) {}

    unsigned Number() const { return m_number; }
    // A single- or double-byte Windows code page that this machine can convert.
    bool IsUsable() const;

    // Text in `from` to this code page; false when some character has no exact form here
    // (or the text is not valid in `from`).
    bool Encode(const std::string& text, Encoding from, std::string& out) const;
    // Text of this code page to `to`; false when the bytes are not text of this code page.
    bool Decode(const std::string& text, Encoding to, std::string& out) const;

private:
    unsigned m_number;
};

// A file name as the build machine's text, the form the C library's file functions take;
// false when it has none (on Windows, a name with characters outside the ANSI code page).
bool BuildTextOfName(const std::filesystem::path& name, std::string& out);
// The path that the build machine's text names (its C++ library may read narrow text otherwise).
std::filesystem::path PathOfBuildText(const std::string& text);

// The ANSI code page of the Windows machines that run a language (a Windows language number
// such as 1041): 932 for Japanese, 936 and 950 for Chinese, 949 for Korean, 1250 to 1258 for
// the European and Middle-Eastern scripts, 874 for Thai; 1252 for the rest.
unsigned AnsiCodePageOfLanguage(long language);
