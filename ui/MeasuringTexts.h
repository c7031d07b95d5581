#pragma once

// Texts that stand in for the real ones while a window measures itself, so that its panes
// get the room of a long line or of a large figure whatever is shown later.
namespace measuring {

// One line of 52 letters: the width of a progress message or of a folder path.
constexpr const char kLongLine[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEFGHIJKLMNOPQRSTUVWXYZ";
// The width of a space figure of the target folder frame.
constexpr const char kLargeFigure[] = "99999999MB";

} // namespace measuring
