#include "platform/Picture.h"

#include "support/TempDir.h"
#include "support/UnwrittenPipe.h"

#include <QImage>
#include <cmath>
#include <filesystem>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

TEST(ReadPicture, RefusesWhatIsNoRegularFileWithoutWaiting) {
    const TempDir folder;
    const UnwrittenPipe pipe(folder.path() / "pipe.gif");
    fs::create_symlink(folder.path() / "pipe.gif", folder.path() / "to-pipe.gif");
    fs::create_symlink("/dev/zero", folder.path() / "device.gif");
    folder.folder("folder.gif");
    for (const char* name : {"pipe.gif", "to-pipe.gif", "device.gif", "folder.gif"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(ReadPicture((folder.path() / name).string()));
    }
    EXPECT_FALSE(pipe.readerWaited());
}

TEST(ReadPicture, RefusesFilesAndPicturesBeyondTheLimits) {
    const TempDir folder;
    // Bytes after a picture's end are not read as part of it, so padding sets the file's size.
    const auto padded = [&](const char* name, qint64 size) {
        const fs::path file =
            folder.file(name, ReadBytes(std::string(TESSALY_KIT_DIR) + "/armpatch/armpatch1.gif"));
        fs::resize_file(file, static_cast<std::uintmax_t>(size));
        return file;
    };
    const auto blank = [&](const char* name, QSize size) {
        const fs::path file = folder.path() / name;
        QImage picture(size, QImage::Format_Mono);
        picture.fill(0);
        EXPECT_TRUE(picture.save(QString::fromStdString(file.string()), "PNG"));
        return file;
    };
    const int side = static_cast<int>(std::sqrt(MostPicturePixels));
    ASSERT_EQ(qint64(side) * side, MostPicturePixels);
    const struct {
        const char* what;
        fs::path file;
        bool read;
    } cases[] = {
        {"file at the limit", padded("at.gif", LargestPictureFile), true},
        {"file a byte larger", padded("over.gif", LargestPictureFile + 1), false},
        {"picture at the limit", blank("at.png", {side, side}), true},
        {"picture a column wider", blank("wide.png", {side + 1, side}), false},
        {"picture a row taller", blank("tall.png", {side, side + 1}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ReadPicture(c.file.string()).has_value(), c.read);
    }
}

} // namespace

TEST(KitPicture, ADenseScreenTakesThePictureDrawnForItAtTheSameSize) {
    const TempDir kit;
    QImage picture(34, 12, QImage::Format_RGB32);
    picture.fill(Qt::darkYellow);
    for (const char* name : {"logo.png", "icon.png", "pointer.png"})
        picture.save(QString::fromStdString((kit.path() / name).string()));
    picture.scaled(68, 24).save(QString::fromStdString((kit.path() / "logo@2x.png").string()));
    kit.file("pointer@2x.png", "not a picture");
    const struct {
        const char* file;
        qreal density;
        qreal ratio; // 2 where it took the dense picture
    } cases[] = {
        {"logo.png", 1, 1}, {"logo.png", 2, 2},    {"logo.png", 1.25, 1},
        {"icon.png", 2, 1}, {"pointer.png", 2, 1}, // none beside it, or a damaged one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at " + std::to_string(c.density));
        const QPixmap shown = KitPicture((kit.path() / c.file).string(), c.density);
        EXPECT_EQ(shown.devicePixelRatio(), c.ratio);
        EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(34, 12));
    }
}
