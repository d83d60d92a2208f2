#pragma once

#include <QImage>
#include <QSize>
#include <optional>
#include <string>

// The picture in `file`, made to fit `box`: a larger one is scaled down smoothly, keeping its
// shape; a smaller one keeps its own size, as enlarging a small armpatch only blurs it.
// Nothing when the file is missing or not a picture that can be read.
std::optional<QImage> LoadPreviewPicture(const std::string& file, QSize box);
