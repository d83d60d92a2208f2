#include "WidestRow.h"

#include "tessaly/common/ShownName.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

namespace {

// Enough to hold every name whose summed width lies within a kerning's reach of the widest.
constexpr std::size_t MeasuredNames = 100;

using AsciiAdvances = std::array<int, 128>;

AsciiAdvances Advances(const QFontMetrics& metrics) {
    AsciiAdvances advances{};
    for (std::size_t c = 0; c < advances.size(); ++c)
        advances[c] = metrics.horizontalAdvance(ShownName(std::string(1, static_cast<char>(c))));
    return advances;
}

bool IsAscii(const std::string& name) {
    return std::all_of(name.begin(), name.end(),
                       [](char byte) { return static_cast<unsigned char>(byte) < 128; });
}

int SummedWidth(const std::string& name, const AsciiAdvances& ascii, const QFontMetrics& metrics) {
    int width = 0;
    if (IsAscii(name)) {
        for (const char byte : name)
            width += ascii[static_cast<unsigned char>(byte)];
    } else {
        for (const QChar c : ShownName(name))
            width += metrics.horizontalAdvance(c);
    }
    return width;
}

} // namespace

int WidestRow(const std::vector<std::string>& names, const QFontMetrics& metrics,
              const std::function<int(int row)>& indentation) {
    const AsciiAdvances ascii = Advances(metrics);
    std::vector<std::pair<int, int>> sums; // summed width, row
    sums.reserve(names.size());
    for (std::size_t row = 0; row < names.size(); ++row) {
        const int r = static_cast<int>(row);
        sums.emplace_back(indentation(r) + SummedWidth(names[row], ascii, metrics), r);
    }
    const auto measured =
        sums.begin() + static_cast<std::ptrdiff_t>(std::min(MeasuredNames, sums.size()));
    std::nth_element(sums.begin(), measured, sums.end(), std::greater<>());

    int widestRow = 0;
    int widest = -1;
    for (auto it = sums.begin(); it != measured; ++it) {
        const int row = it->second;
        const int width = indentation(row) + metrics.horizontalAdvance(
                                                 ShownName(names[static_cast<std::size_t>(row)]));
        if (width > widest) {
            widest = width;
            widestRow = row;
        }
    }
    return widestRow;
}
