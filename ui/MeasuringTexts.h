#pragma once

// Texts that stand in for the real ones while a window measures itself, so that its panes
// get the room of a long line or of a large figure whatever is shown later.
namespace measuring {

// One line of 52 letters, the alphabet twice: the width of a progress message or of a folder
// path. Written out when needed rather than carried as data in the program.
class CLongLine {
public:
    CLongLine()
    {
        for (int i = 0; i < 52; ++i)
            m_text[i] = static_cast<char>('A' + (i < 26 ? i : i - 26));
        m_text[52] = '\0';
    }
    const char* Text() const { return m_text; }

private:
    char m_text[53];
};
// The width of a space figure of the target folder frame.
constexpr const char kLargeFigure[] = "99999999MB";

} // namespace measuring
