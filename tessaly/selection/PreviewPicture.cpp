#include "PreviewPicture.h"

#include "platform/Picture.h"

std::optional<QImage> LoadPreviewPicture(const std::string& file, QSize box) {
    const std::optional<QImage> picture = ReadPicture(file);
    if (!picture)
        return std::nullopt;
    if (picture->width() <= box.width() && picture->height() <= box.height())
        return picture;
    // A long thin picture would round to no height at all; keep at least one line of it.
    const QSize fitted = picture->size().scaled(box, Qt::KeepAspectRatio).expandedTo({1, 1});
    return picture->scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
