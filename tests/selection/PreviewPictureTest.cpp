#include "tessaly/selection/PreviewPicture.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

const QSize Box(45, 45);

std::string Saved(const TempDir& folder, const std::string& name, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const std::string path = (folder.path() / name).string();
    EXPECT_TRUE(picture.save(QString::fromStdString(path), "PNG"));
    return path;
}

} // namespace

TEST(PreviewPicture, FitsLargePicturesIntoTheBoxKeepingTheirShape) {
    const TempDir folder;
    const struct {
        QSize size;
        QSize shown;
    } cases[] = {
        {{32, 32}, {32, 32}}, {{45, 45}, {45, 45}}, {{1, 1}, {1, 1}},    {{90, 90}, {45, 45}},
        {{90, 45}, {45, 22}}, {{30, 60}, {22, 45}}, {{46, 10}, {45, 9}}, {{2000, 1}, {45, 1}},
    };
    for (const auto& c : cases) {
        const std::string name =
            std::to_string(c.size.width()) + "x" + std::to_string(c.size.height()) + ".png";
        SCOPED_TRACE(name);
        const auto picture = LoadPreviewPicture(Saved(folder, name, c.size), Box);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->size(), c.shown);
    }
}

TEST(PreviewPicture, ReadsGifFilesAndNamesThatAreNotUtf8) {
    const TempDir folder;
    const auto copy = folder.file(
        "\xFF.gif", ReadBytes(std::string(TESSALY_KIT_DIR) + "/armpatch/armpatch1.gif"));
    const auto picture = LoadPreviewPicture(copy.string(), Box);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(32, 32));
}

TEST(PreviewPicture, NothingForWhatIsNoReadablePicture) {
    const TempDir folder;
    const std::string paths[] = {
        (folder.path() / "missing.gif").string(),
        folder.file("text.gif", "GIF89a but not really").string(),
        folder.file("empty.gif").string(),
        folder.folder("folder.gif").string(),
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(LoadPreviewPicture(path, Box));
    }
}
