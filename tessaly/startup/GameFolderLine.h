#pragma once

#include <QString>
#include <string>

class QFontMetrics;

// The game folder as the main window shows it on one line: a caption, then the folder's path
// (without a trailing "/") elided in its middle, so that both the drive's and the game's end
// stay readable, to fit `width` pixels of the font measured by `metrics`.
QString GameFolderLine(const std::string& folder, const QFontMetrics& metrics, int width);
