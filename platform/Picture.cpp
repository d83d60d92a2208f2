#include "Picture.h"

#include <QFile>
#include <QImageReader>
#include <cstdio>
#include <memory>

std::optional<QImage> ReadPicture(const std::string& file) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> handle(std::fopen(file.c_str(), "rb"),
                                                                 &std::fclose);
    QFile contents;
    if (!handle || !contents.open(handle.get(), QIODevice::ReadOnly))
        return std::nullopt;
    QImageReader reader(&contents);
    reader.setAutoTransform(true);
    QImage picture = reader.read();
    if (picture.isNull())
        return std::nullopt;
    return picture;
}

QPixmap KitPicture(const std::string& file) {
    const std::optional<QImage> picture = ReadPicture(file);
    return picture ? QPixmap::fromImage(*picture) : QPixmap();
}
