#pragma once

#include <array>
#include <string>

// The type filter's entries, in the order they are listed.
inline constexpr std::array<const char*, 9> TypeFilterEntries = {
    "Bitmaps (*.bmp)",
    "GIF (*.gif)",
    "JPEG (*.jpg)",
    "Icons (*.ico)",
    "Matafiles (*.wmf)",
    "DIBs (*.dib)",
    "Graphic (*.gif;*.jpg;*.ico;*.bmp;*.wmf;*.dib)",
    "IVB (*.ivb)",
    "All Files (*.*)",
};

// The entry chosen when the window opens: "IVB (*.ivb)".
inline constexpr int StartingTypeFilter = 7;

// The file pattern an entry stands for: the text between its first "(" and its first ")",
// or "" when it has no such pair.
std::string PatternOf(const std::string& entry);
