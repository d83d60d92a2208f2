// How fast Tessaly's Install and Defaults commands fill the game's armpatch folder, beside the
// same copies made by one `cp` process, and beside the durable-copy limit: that `cp` followed by
// one syncfs of the file system and one sync of the folder, the least that puts the copies and
// their names safely on disk.
//
//   install_bench [runs=7]
//
// Two sets of pictures (random bytes, fixed seed): 20 of 20-200 KB and 20 of 5 MB. Install puts
// the set over sixteen old pictures, then Defaults puts the kit's sixteen back. The contenders
// take turns on fresh folders, run by run, so that a burst of load on the machine falls on all
// alike. Both commands run as the user meets them: the real window, shown offscreen, with every
// box answered OK or Yes.
//
// Also checks that the window's event loop turned under each caption it showed during the work
// (so the caption could be drawn), and that no process was started meanwhile.
// Exits 1 when Install or Defaults takes more than 1.5 times the durable-copy limit, or when a
// check fails.

#include "ScratchFolder.h"
#include "platform/Services.h"
#include "tessaly/Main.h"
#include "tessaly/selection/PathListBox.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int Pictures = 20;
constexpr int OldPictures = 16;
constexpr double Target = 1.5;

// Every box answered with OK or Yes, no sound, and any start of a program counted.
class Unattended : public platform::MessageBoxes,
                   public platform::SoundPlayer,
                   public platform::DriveRoots,
                   public platform::ItemChooser,
                   public platform::Launcher,
                   public platform::ProgramFolder {
public:
    explicit Unattended(std::string kit) : kit_(std::move(kit)) {}
    platform::BoxAnswer show(const platform::BoxRequest& request) override {
        shown.push_back(request.text);
        return request.buttons == platform::BoxButtons::YesNo ? platform::BoxAnswer::Yes
                                                              : platform::BoxAnswer::Ok;
    }
    void play(const std::filesystem::path&, platform::Wait) override {}
    void playThen(const std::filesystem::path&, QObject&, std::function<void()>) override {}
    std::vector<platform::Drive> drives() const override { return {}; }
    platform::ItemPick chooseItem(const std::string&, const std::string&) override { return {}; }
    platform::ItemPick chooseFolder(const std::string&) override { return {}; }
    void startDetached(const std::string&, const std::vector<std::string>&,
                       std::chrono::milliseconds, QObject&,
                       std::function<void(platform::Watched)>) override {
        ++starts;
    }
    std::string path() const override { return kit_; }

    platform::Services services() { return {*this, *this, *this, *this, *this, *this}; }

    std::vector<std::string> shown;
    int starts = 0;

private:
    std::string kit_;
};

// Each caption the window takes, and whether the event loop turned while it stood.
class CaptionWatch : public QObject {
public:
    explicit CaptionWatch(QWidget& window) : window_(window) {
        window.installEventFilter(this);
        QObject::connect(&beat_, &QTimer::timeout, [this] {
            if (!captions_.empty())
                captions_.back().drawable = true;
        });
        beat_.start(0);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &window_ && event->type() == QEvent::WindowTitleChange)
            captions_.push_back({window_.windowTitle().toStdString(), false});
        return QObject::eventFilter(watched, event);
    }
    void reset() { captions_.clear(); }
    int count() const { return static_cast<int>(captions_.size()); }
    int drawable() const {
        return static_cast<int>(std::ranges::count_if(captions_, &Caption::isDrawable));
    }

private:
    struct Caption {
        std::string text;
        bool drawable;
        bool isDrawable() const { return drawable; }
    };
    QWidget& window_;
    QTimer beat_;
    std::vector<Caption> captions_;
};

std::string RandomBytes(std::mt19937& random, int low, int high) {
    std::string bytes(std::uniform_int_distribution<int>(low, high)(random), '\0');
    std::uniform_int_distribution<int> byte(0, 255);
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    return bytes;
}

void WriteFile(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string ReadFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The contents of a folder's files, sorted: what a copy must reproduce, whatever the names.
std::vector<std::string> Contents(const fs::path& folder) {
    std::vector<std::string> contents;
    for (const auto& entry : fs::directory_iterator(folder))
        contents.push_back(ReadFile(entry.path()));
    std::ranges::sort(contents);
    return contents;
}

std::vector<std::string> Contents(const std::vector<fs::path>& files) {
    std::vector<std::string> contents;
    for (const fs::path& file : files)
        contents.push_back(ReadFile(file));
    std::ranges::sort(contents);
    return contents;
}

// Dirty pages of the preparation would otherwise be written back during the next timed part.
void SyncAll() {
    ::sync();
}

double Seconds(const std::function<void()>& timed) {
    const auto start = std::chrono::steady_clock::now();
    timed();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// One `cp` process, started directly (no shell, no search of PATH), copying all the files into
// `folder`.
void Cp(const std::vector<fs::path>& files, const fs::path& folder) {
    std::vector<std::string> words{"cp", "--"};
    for (const fs::path& file : files)
        words.push_back(file.string());
    words.push_back(folder.string());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    int status = 0;
    if (posix_spawn(&child, "/usr/bin/cp", nullptr, nullptr, argv.data(), environ) != 0 ||
        waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("cp failed");
}

// The copies, then their bytes and their names on disk with the fewest flushes.
void DurableCp(const std::vector<fs::path>& files, const fs::path& folder) {
    Cp(files, folder);
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0 || ::syncfs(handle) != 0 || ::fsync(handle) != 0)
        throw std::runtime_error("cannot sync the copies");
    ::close(handle);
}

// Page faults of finished child processes: any process started and waited for adds some.
long ChildFaults() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_minflt + usage.ru_majflt;
}

double Median(std::vector<double> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

struct Times {
    std::vector<double> install, defaults, cpPictures, cpDefaults, limitPictures, limitDefaults;
};

struct Checks {
    bool correct = true;
    int captionsSeen = 0;
    int captionsDrawable = 0;
    long faults = 0;
};

// Install and then Defaults on fresh folders, against cp and the durable-copy limit of the same
// files, `runs` times in turn; true when both commands meet the target.
bool Measure(Main& window, Unattended& desktop, CaptionWatch& captions, const fs::path& scratch,
             const std::vector<fs::path>& pictures, const std::vector<fs::path>& defaults,
             const std::vector<std::string>& old, int runs, Checks& checks) {
    window.LstFiles->clear();
    window.cntr = 0;
    for (const fs::path& picture : pictures) {
        window.LstFiles->insertPath(window.LstFiles->count(), picture.string());
        ++window.cntr;
    }
    Times times;
    for (int run = 0; run < runs; ++run) {
        const fs::path round = scratch / ("run" + std::to_string(run));
        const fs::path game = round / "game";
        for (int n = 1; n <= OldPictures; ++n)
            WriteFile(game / "data/armpatch" / ("armpatch" + std::to_string(n) + ".ivb"),
                      old[n - 1]);
        const auto copies = [&](std::vector<double>& into, const std::vector<fs::path>& files,
                                const char* folder, const auto& copy) {
            return [&, folder] {
                fs::create_directories(round / folder);
                SyncAll();
                into.push_back(Seconds([&] { copy(files, round / folder); }));
                checks.correct = Contents(round / folder) == Contents(files) && checks.correct;
            };
        };
        const std::vector<std::function<void()>> turns = {
            [&] {
                window.Ironvaledirectory = game.string() + "/";
                desktop.shown.clear();
                captions.reset();
                const long before = ChildFaults();
                SyncAll();
                times.install.push_back(Seconds([&] { window.cmdInstall_Click(); }));
                // Back in the event loop, as after any click.
                QApplication::processEvents();
                checks.correct = Contents(game / "data/armpatch") == Contents(pictures) &&
                                 desktop.shown.size() == 1 && checks.correct;
                SyncAll();
                times.defaults.push_back(Seconds([&] { window.cmdDefaults_Click(); }));
                QApplication::processEvents();
                checks.correct = Contents(game / "data/armpatch") == Contents(defaults) &&
                                 desktop.shown.size() == 3 && checks.correct;
                checks.faults += ChildFaults() - before;
                checks.captionsSeen += captions.count();
                checks.captionsDrawable += captions.drawable();
            },
            copies(times.cpPictures, pictures, "cp-pictures", Cp),
            copies(times.limitPictures, pictures, "limit-pictures", DurableCp),
            copies(times.cpDefaults, defaults, "cp-defaults", Cp),
            copies(times.limitDefaults, defaults, "limit-defaults", DurableCp),
        };
        for (std::size_t turn = 0; turn < turns.size(); ++turn)
            turns[(run + turn) % turns.size()]();
        fs::remove_all(round);
    }

    const auto line = [](const char* what, double time, double limit, double cp) {
        std::printf("  %-10s %8.1f ms  %5.2f x the limit (%6.1f ms)  %5.2f x cp (%6.1f ms)\n", what,
                    time * 1000, time / limit, limit * 1000, time / cp, cp * 1000);
        return time / limit <= Target;
    };
    const bool install = line("Install", Median(times.install), Median(times.limitPictures),
                              Median(times.cpPictures));
    const bool restore = line("Defaults", Median(times.defaults), Median(times.limitDefaults),
                              Median(times.cpDefaults));
    return install && restore;
}

} // namespace

int main(int argc, char* argv[]) {
    const ScratchFolder scratch("install-bench");
    // The old pictures go to a trash of the benchmark's own, and the journals to a state folder
    // of its own, removed with it.
    setenv("XDG_DATA_HOME", (scratch.path() / "data").c_str(), 1);
    setenv("XDG_STATE_HOME", (scratch.path() / "state").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::atoi(argv[1]) : 7;

    std::mt19937 random(20240611);
    const fs::path kit = scratch.path() / "kit";
    std::vector<fs::path> defaults;
    for (int n = 1; n <= OldPictures; ++n) {
        const std::string name = "armpatch" + std::to_string(n) + ".ivb";
        defaults.push_back(kit / "armpatch" / name);
        WriteFile(defaults.back(), ReadFile(fs::path(TESSALY_KIT_DIR) / "armpatch" / name));
    }
    const auto pictureSet = [&](const char* name, int low, int high) {
        std::vector<fs::path> pictures;
        for (int n = 1; n <= Pictures; ++n) {
            pictures.push_back(scratch.path() / name /
                               ("picture" + std::to_string(n) + (n % 4 == 0 ? ".bmp" : ".ivb")));
            WriteFile(pictures.back(), RandomBytes(random, low, high));
        }
        return pictures;
    };
    const std::vector<fs::path> small = pictureSet("small", 20 << 10, 200 << 10);
    const std::vector<fs::path> large = pictureSet("large", 5 << 20, 5 << 20);
    std::vector<std::string> old;
    for (int n = 1; n <= OldPictures; ++n)
        old.push_back(RandomBytes(random, 20 << 10, 200 << 10));

    Unattended desktop(kit.string());
    Main window(desktop.services());
    window.show();
    QApplication::processEvents();
    CaptionWatch captions(window);

    Checks checks;
    std::printf("%d pictures over %d old ones, then the %d defaults; medians of %d runs\n",
                Pictures, OldPictures, OldPictures, runs);
    std::printf("pictures of 20-200 KB:\n");
    bool met =
        Measure(window, desktop, captions, scratch.path(), small, defaults, old, runs, checks);
    std::printf("pictures of 5 MB:\n");
    met = Measure(window, desktop, captions, scratch.path(), large, defaults, old, runs, checks) &&
          met;
    const bool turned = checks.captionsSeen > 0 && checks.captionsDrawable == checks.captionsSeen;
    std::printf("captions during the work: %d, the event loop turned under %d\n",
                checks.captionsSeen, checks.captionsDrawable);
    const bool noProcess = checks.faults == 0 && desktop.starts == 0;
    std::printf("processes started by Install and Defaults: %s\n", noProcess ? "none" : "SOME");
    if (!checks.correct)
        std::printf("a folder did not hold the copies it should, or a box was unexpected\n");
    std::printf("target: Install and Defaults at most %.1f x the durable-copy limit: %s\n", Target,
                met ? "met" : "MISSED");
    return met && turned && noProcess && checks.correct ? 0 : 1;
}
