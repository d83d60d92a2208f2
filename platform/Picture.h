#pragma once

#include <QImage>
#include <QPixmap>
#include <optional>
#include <string>

// The picture in `file`, opened by the bytes of its name (a name that is not valid UTF-8 would
// not survive the trip through a QString). Nothing when it is missing or cannot be read.
std::optional<QImage> ReadPicture(const std::string& file);

// The same as a pixmap for a label or a pointer; an empty one when it cannot be read, since the
// kit's own pictures are decoration.
QPixmap KitPicture(const std::string& file);
