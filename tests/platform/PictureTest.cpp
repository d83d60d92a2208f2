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

// A dense screen takes the picture drawn for it where one lies beside the plain one; either way
// the picture takes the same room on the screen.
TEST(KitPicture, ADenseScreenTakesThePictureDrawnForItAtTheSameSize) {
    const TempDir kit;
    const auto picture = [&](const std::string& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkYellow);
        image.save(QString::fromStdString((kit.path() / name).string()));
    };
    picture("logo.png", {34, 12});
    picture("logo@2x.png", {68, 24});
    picture("icon.png", {16, 16});
    kit.file("banner.png", "no picture");
    kit.file("banner@2x.png", "no picture either");
    picture("pointer.png", {8, 8});
    kit.file("pointer@2x.png", "not a picture");
    const struct {
        const char* file;
        qreal density;
        QSize pixels; // as stored; 0 x 0 when nothing could be read
        qreal ratio;
    } cases[] = {
        {"logo.png", 1, {34, 12}, 1},    {"logo.png", 2, {68, 24}, 2},
        {"logo.png", 1.25, {34, 12}, 1}, {"icon.png", 2, {16, 16}, 1},
        {"pointer.png", 2, {8, 8}, 1},   {"banner.png", 2, {0, 0}, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.file) + " at " + std::to_string(c.density));
        const QPixmap shown = KitPicture((kit.path() / c.file).string(), c.density);
        EXPECT_EQ(shown.size(), c.pixels);
        EXPECT_EQ(shown.devicePixelRatio(), c.ratio);
    }
}
