#pragma once

#include <QSize>

class QWidget;

// Gives a window the one size that it is drawn for. It offers no maximise button: on a window
// that cannot grow, the window manager's button would only move it into a corner.
void FixWindowSize(QWidget& window, QSize size);

// Draws the window's own controls by a style sheet whose rules begin with "WINDOW > ", which
// stands for the window: they reach its direct children and what those hold, never a message
// box or a window that it owns, which keep the desktop's look.
void StyleOwnControls(QWidget& window, const char* rules);
