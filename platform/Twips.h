#pragma once

#include <QRect>

// Window geometry is designed in twips; 15 twips make one logical pixel, and Qt scales logical
// pixels for high-density screens.
inline constexpr int TwipsPerPixel = 15;

constexpr int Twips(int twips) {
    return twips / TwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}
