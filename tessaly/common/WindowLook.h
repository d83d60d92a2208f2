#pragma once

class QWidget;

// The kit's windows: a black background, opened centred on the screen.
void PaintBlack(QWidget& window);
void CentreOnScreen(QWidget& window);

// Draws the window's own controls (lists, drop-downs, scroll bars, buttons, captions) to go with
// the black window and the logo's gold, with their hover, pressed and focus states. The message
// boxes and other windows that it owns keep the desktop's look.
void DressControls(QWidget& window);
