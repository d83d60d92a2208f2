#include "CreditsScroll.h"

#include "platform/Twips.h"

#include <cmath>

float CentredLeft(float windowWidth, float frameWidth) {
    return windowWidth / 2 - frameWidth / 2;
}

float ScrollTick(float top, float frameHeight, float windowHeight) {
    if (top < -frameHeight)
        top = windowHeight - 1;
    return top - ScrollStep;
}

int PixelOf(float twips) {
    return static_cast<int>(std::floor(twips / TwipsPerPixel));
}
