#include "PreviewPicture.h"

#include <QFile>
#include <QImageReader>
#include <cstdio>
#include <memory>

std::optional<QImage> LoadPreviewPicture(const std::string& file, QSize box) {
    // Opened by its bytes: a name that is not valid UTF-8 would not survive the trip through
    // a QString file name.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> handle(std::fopen(file.c_str(), "rb"),
                                                                 &std::fclose);
    QFile contents;
    if (!handle || !contents.open(handle.get(), QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&contents);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull())
        return std::nullopt;
    if (picture.width() <= box.width() && picture.height() <= box.height())
        return picture;
    // A long thin picture would round to no height at all; keep at least one line of it.
    const QSize fitted = picture.size().scaled(box, Qt::KeepAspectRatio).expandedTo({1, 1});
    return picture.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
