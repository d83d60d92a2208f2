// What the preview costs for a picture at the reader's limits, beside a bare QImageReader
// reading the same file in the same run.
//
//   picture_limit_bench
//
// Writes three pictures of MostPicturePixels each to a scratch folder: a GIF of noise (the
// preview's own format, coded without compression, the slowest to decode), a PNG of noise and
// a JPEG of noise. For each it prints the time and the growth of peak memory of the preview's
// whole load (read and fit into the box), and of a bare read.

#include "platform/Picture.h"
#include "tessaly/selection/PreviewPicture.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImageReader>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int Side = 4096;
static_assert(qint64(Side) * Side == MostPicturePixels);

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (fs::temp_directory_path() / "picture-limit-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

std::uint32_t NextNoise(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

// Codes packed from the lowest bit up, in blocks of at most 255 bytes.
class CodeWriter {
public:
    void put(unsigned code, int width) {
        bits_ |= std::uint64_t(code) << count_;
        count_ += width;
        while (count_ >= 8) {
            bytes_.push_back(char(bits_ & 0xFF));
            bits_ >>= 8;
            count_ -= 8;
        }
    }
    std::string blocks() {
        if (count_ > 0)
            bytes_.push_back(char(bits_ & 0xFF));
        std::string out;
        for (std::size_t at = 0; at < bytes_.size(); at += 255) {
            const std::size_t size = std::min<std::size_t>(255, bytes_.size() - at);
            out += char(size);
            out.append(bytes_.data() + at, size);
        }
        return out + '\0';
    }

private:
    std::vector<char> bytes_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

std::string Little16(int value) {
    return {char(value & 0xFF), char((value >> 8) & 0xFF)};
}

// A GIF of 256-colour noise, each pixel its own 9-bit code: the table is cleared before its
// codes would need a tenth bit, so the decoder works hardest for every pixel.
void WriteNoiseGif(const fs::path& file) {
    std::string gif = "GIF89a" + Little16(Side) + Little16(Side) + std::string("\xF7\x00\x00", 3);
    for (int i = 0; i < 256; ++i)
        gif += {char(i), char(255 - i), char(i * 7)};
    gif += "\x2C" + Little16(0) + Little16(0) + Little16(Side) + Little16(Side) + '\0' + '\x08';
    constexpr unsigned Clear = 256, End = 257;
    CodeWriter codes;
    std::uint32_t noise = 2463534242u;
    for (qint64 pixel = 0; pixel < MostPicturePixels; ++pixel) {
        if (pixel % 250 == 0)
            codes.put(Clear, 9);
        codes.put(NextNoise(noise) & 0xFF, 9);
    }
    codes.put(End, 9);
    gif += codes.blocks() + '\x3B';
    std::ofstream(file, std::ios::binary) << gif;
}

void WriteNoise(const fs::path& file, const char* format) {
    QImage picture(Side, Side, QImage::Format_RGB32);
    std::uint32_t noise = 88172645u;
    for (int y = 0; y < Side; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(picture.scanLine(y));
        for (int x = 0; x < Side; ++x)
            line[x] = NextNoise(noise) | 0xFF000000u;
    }
    if (!picture.save(QString::fromStdString(file.string()), format, 100))
        throw std::runtime_error("cannot write " + file.string());
}

long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string name;
    long value = 0;
    while (status >> name) {
        if (name == field) {
            status >> value;
            return value;
        }
        status.ignore(1 << 20, '\n');
    }
    return 0;
}

struct Cost {
    qint64 ms;
    long peakMiB;
    bool loaded;
};

// Time, and growth of the peak resident memory over what was resident before.
Cost Measure(const std::function<bool()>& load) {
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from here
    const long before = StatusKiB("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    const bool loaded = load();
    const qint64 ms = clock.elapsed();
    return {ms, (StatusKiB("VmHWM:") - before) / 1024, loaded};
}

} // namespace

int main(int argc, char* argv[]) {
    const QGuiApplication app(argc, argv);
    const ScratchFolder scratch;
    struct Case {
        const char* name;
        fs::path file;
    };
    const std::vector<Case> cases = {{"GIF", scratch.path() / "noise.gif"},
                                     {"PNG", scratch.path() / "noise.png"},
                                     {"JPEG", scratch.path() / "noise.jpg"}};
    WriteNoiseGif(cases[0].file);
    WriteNoise(cases[1].file, "PNG");
    WriteNoise(cases[2].file, "JPEG");

    std::printf("%d x %d pixels; file limit %lld MiB\n", Side, Side, LargestPictureFile >> 20);
    for (const Case& c : cases) {
        const auto preview =
            Measure([&] { return LoadPreviewPicture(c.file.string(), QSize(45, 45)).has_value(); });
        const auto bare = Measure(
            [&] { return !QImageReader(QString::fromStdString(c.file.string())).read().isNull(); });
        std::printf("%-4s %5.1f MiB file: preview %5lld ms, peak +%4ld MiB%s; bare read %5lld ms, "
                    "peak +%4ld MiB%s\n",
                    c.name, double(fs::file_size(c.file)) / (1 << 20), preview.ms, preview.peakMiB,
                    preview.loaded ? "" : " (refused)", bare.ms, bare.peakMiB,
                    bare.loaded ? "" : " (failed)");
    }
    return 0;
}
