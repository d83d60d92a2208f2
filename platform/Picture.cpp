#include "Picture.h"

#include "platform/FileDescriptor.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>

namespace {

bool TooManyPixels(QSize size) {
    return qint64(size.width()) * size.height() > MostPicturePixels;
}

} // namespace

std::optional<QImage> ReadPicture(const std::string& file) {
    // Opening a named pipe for reading waits for a writer unless it is told not to; what it is
    // shows only once it is open.
    const platform::FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status {};
    if (fd.get() < 0 || ::fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_size > LargestPictureFile)
        return std::nullopt;
    QFile contents;
    if (!contents.open(fd.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        return std::nullopt;
    QImageReader reader(&contents);
    reader.setAutoTransform(true);
    // Most formats tell their size in the header, before anything is decoded.
    if (TooManyPixels(reader.size()))
        return std::nullopt;
    QImage picture = reader.read();
    if (picture.isNull() || TooManyPixels(picture.size()))
        return std::nullopt;
    return picture;
}

QPixmap KitPicture(const std::string& file, qreal density) {
    const int times = qRound(density);
    if (times > 1) {
        const std::filesystem::path plain(file);
        std::filesystem::path dense = plain;
        dense.replace_filename(plain.stem().native() + '@' + std::to_string(times) + "x" +
                               plain.extension().native());
        if (std::optional<QImage> picture = ReadPicture(dense.native())) {
            picture->setDevicePixelRatio(times);
            return QPixmap::fromImage(*picture);
        }
    }
    const std::optional<QImage> picture = ReadPicture(file);
    return picture ? QPixmap::fromImage(*picture) : QPixmap();
}

QPixmap KitPicture(const std::string& file) {
    return KitPicture(file, qGuiApp->devicePixelRatio());
}
