// How fast the browser panes fill on large folders, beside a bare QListView over
// QFileSystemModel on the same folder in the same run.
//
//   file_list_bench [files=100000] [folders=20000]
//
// Prints the time until the whole list is shown and the longest stall of the event loop
// meanwhile, measured by a 10 ms heartbeat. Exits 1 when a target is missed.

#include "ScratchFolder.h"
#include "platform/FolderListing.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/FileListBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileSystemModel>
#include <QListView>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string NameOf(int i) {
    // Seven in ten are armpatches, one of those with the extension in capitals.
    static const char* const extensions[] = {".ivb", ".ivb", ".ivb", ".ivb", ".ivb",
                                             ".ivb", ".IVB", ".gif", ".bmp", ".jpg"};
    char digits[16];
    std::snprintf(digits, sizeof digits, "f%06d", i);
    return digits + std::string(extensions[i % 10]);
}

struct Expected {
    int rows = 0;
    std::string first;
    std::string last;
};

Expected MakeFiles(const fs::path& folder, int count) {
    Expected expected;
    for (int i = 0; i < count; ++i) {
        const std::string name = NameOf(i);
        std::ofstream(folder / name);
        if (i % 10 < 7) {
            ++expected.rows;
            expected.first = expected.first.empty() ? name : expected.first;
            expected.last = name;
        }
    }
    return expected;
}

// Longest gap between the beats of a 10 ms timer: how long the window could not respond.
class Heartbeat {
public:
    Heartbeat() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, clock_.restart()); });
        clock_.start();
        timer_.start();
    }
    qint64 longestStall() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

struct Figures {
    qint64 fullList = 0; // ms
    qint64 longestStall = 0;
};

// Runs `fill` from the event loop, with the heartbeat going, until `done` says the list is
// complete; then lets the loop idle a little so that a stall at the end is seen too.
Figures Measure(const std::function<void()>& fill, const std::function<bool()>& done) {
    Figures figures;
    QEventLoop loop;
    QElapsedTimer clock;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done() || clock.elapsed() > 120'000) {
            figures.fullList = clock.elapsed();
            poll.stop();
            QTimer::singleShot(100, &loop, &QEventLoop::quit);
        }
    });
    const Heartbeat heartbeat;
    QTimer::singleShot(50, [&] {
        clock.start();
        fill();
        poll.start();
    });
    loop.exec();
    figures.longestStall = heartbeat.longestStall();
    return figures;
}

std::string Row(const QAbstractItemView& view, int row) {
    return view.model()->index(row, 0, view.rootIndex()).data().toString().toStdString();
}

bool Complete(const QAbstractItemView& view, const Expected& expected) {
    const int rows = view.model()->rowCount(view.rootIndex());
    return rows == expected.rows && Row(view, 0) == expected.first &&
           Row(view, rows - 1) == expected.last;
}

void Prepare(QWidget& view) {
    view.resize(240, 400);
    view.show();
    QApplication::processEvents();
}

Figures FileListFigures(const std::string& folder, const Expected& expected) {
    FileListBox list;
    list.setPattern("*.ivb");
    Prepare(list);
    return Measure(
        [&] {
            list.setPath(folder);
            list.viewport()->repaint();
        },
        [&] { return Complete(list, expected); });
}

Figures FileSystemModelFigures(const std::string& folder, const Expected& expected) {
    QFileSystemModel model;
    model.setFilter(QDir::Files | QDir::NoDotAndDotDot);
    model.setNameFilters({"*.ivb"});
    model.setNameFilterDisables(false);
    QListView view;
    view.setModel(&model);
    Prepare(view);
    bool loaded = false;
    QObject::connect(&model, &QFileSystemModel::directoryLoaded, [&] { loaded = true; });
    return Measure([&] { view.setRootIndex(model.setRootPath(QString::fromStdString(folder))); },
                   [&] { return loaded && Complete(view, expected); });
}

qint64 FolderListMs(const std::string& folder, int folders) {
    DirListBox list;
    Prepare(list);
    QElapsedTimer clock;
    clock.start();
    list.setPath(folder);
    list.viewport()->repaint();
    const qint64 elapsed = clock.elapsed();
    if (list.model()->rowCount() < folders) {
        throw std::runtime_error("folder list is incomplete");
    }
    return elapsed;
}

bool Report(const char* what, double value, double limit, const char* unit) {
    const bool met = value <= limit;
    std::printf("  %-34s %9.3f %-2s (target <= %g) %s\n", what, value, unit, limit,
                met ? "ok" : "MISSED");
    return met;
}

} // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 100'000;
    const int folders = argc > 2 ? std::atoi(argv[2]) : 20'000;

    const ScratchFolder fileFolder("file-list-bench");
    const Expected expected = MakeFiles(fileFolder.path(), files);
    const ScratchFolder folderFolder("file-list-bench");
    for (int i = 0; i < folders; ++i) {
        fs::create_directory(folderFolder.path() / NameOf(i));
    }

    QElapsedTimer listing;
    listing.start();
    const std::size_t listed = platform::ListFiles(fileFolder.str(), "*.ivb").size();
    const qint64 listingMs = listing.elapsed();

    const Figures ours = FileListFigures(fileFolder.str(), expected);
    const Figures bare = FileSystemModelFigures(fileFolder.str(), expected);
    const qint64 folderMs = FolderListMs(folderFolder.str(), folders);

    std::printf("%d files, %d matching \"*.ivb\" (ListFiles alone: %zu in %lld ms)\n", files,
                expected.rows, listed, static_cast<long long>(listingMs));
    std::printf("  %-34s %9lld ms, longest stall %lld ms\n", "FileListBox: full list",
                static_cast<long long>(ours.fullList), static_cast<long long>(ours.longestStall));
    std::printf("  %-34s %9lld ms, longest stall %lld ms\n", "QListView+QFileSystemModel",
                static_cast<long long>(bare.fullList), static_cast<long long>(bare.longestStall));
    std::printf("  %-34s %9lld ms\n", "DirListBox, sub-folders:", static_cast<long long>(folderMs));

    const double timeRatio =
        static_cast<double>(ours.fullList) / std::max<qint64>(bare.fullList, 1);
    const double stallRatio =
        static_cast<double>(ours.longestStall) / std::max<qint64>(bare.longestStall, 1);
    std::printf("ratios to the bare view: time %.4f, longest stall %.4f\n", timeRatio, stallRatio);

    bool met = Report("FileListBox full list", ours.fullList / 1000.0, 0.3, "s");
    met = Report("FileListBox longest stall", static_cast<double>(ours.longestStall), 100, "ms") &&
          met;
    met = Report("time / bare view's time", timeRatio, 0.05, "") && met;
    met = Report("DirListBox full list", folderMs / 1000.0, 0.3, "s") && met;
    return met ? 0 : 1;
}
