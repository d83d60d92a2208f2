#pragma once

class QWidget;

// The kit's windows: a black background, opened centred on the screen.
void PaintBlack(QWidget& window);
void CentreOnScreen(QWidget& window);
