#pragma once

#include <cstddef>
#include <string>

// Checks an installation description before it goes into a package. The installer's parser
// skips whatever it does not understand, so a typing error in a section tag would silently
// lose that section; the packer refuses such a text instead, naming the line.
class CDescCheck {
public:
    // True when the text is a description the installer reads as meant.
    bool Check(const char* text, size_t length);

    const std::string& Error() const { return m_error; }
    int Line() const { return m_line; }

    static bool IsKnownKey(const std::string& key);

private:
    bool Fail(int line, const std::string& error);

    std::string m_error;
    int m_line = 0;
};
