#pragma once

// The credits panel's motion, in twips, as plain numbers.

// Twips the panel rises on each tick of the scroll timer.
inline constexpr float ScrollStep = 25.0f;

// The panel's left edge that centres it in a window of that width.
float CentredLeft(float windowWidth, float frameWidth);

// The panel's top after one tick: once the whole panel has left above the window's top edge,
// it comes back in from the bottom edge; then it rises one step.
float ScrollTick(float top, float frameHeight, float windowHeight);

// The pixel where a position in twips is drawn; positions between pixels round down, so a
// rising panel moves by the same steps above and below the window's top edge.
int PixelOf(float twips);
