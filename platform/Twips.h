#pragma once

#include <QRect>

// Window geometry is designed in twips; 15 twips make one logical pixel, and Qt scales logical
// pixels for high-density screens.
constexpr int Twips(int twips) {
    return twips / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return {Twips(left), Twips(top), Twips(width), Twips(height)};
}
