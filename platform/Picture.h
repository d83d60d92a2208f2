#pragma once

#include <QImage>
#include <QPixmap>
#include <QtGlobal>
#include <optional>
#include <string>

// The largest picture file that is read, and the most pixels a picture may have once decoded
// (64 MiB at four bytes a pixel). A preview box of 45 pixels needs no more, and a load at these
// limits already holds the window for a good part of a second.
inline constexpr qint64 LargestPictureFile = qint64(64) << 20;
inline constexpr qint64 MostPicturePixels = qint64(4096) * 4096;

// The picture in `file`, opened by the bytes of its name (a name that is not valid UTF-8 would
// not survive the trip through a QString). Nothing when it is missing, is no regular file (a
// named pipe would block the window for good), is larger than the limits above, or cannot be
// read.
std::optional<QImage> ReadPicture(const std::string& file);

// The same as a pixmap for a label or a pointer; an empty one when it cannot be read, since the
// kit's own pictures are decoration. On a screen of `density` device pixels to the pixel (2
// at a scale of 200 %) it is the picture drawn at that density beside it, "logo@2x.png" for
// "logo.png", where there is one: shown at the same size, but sharp.
QPixmap KitPicture(const std::string& file, qreal density);
// For this program's screens.
QPixmap KitPicture(const std::string& file);
