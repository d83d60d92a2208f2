// How fast Tallyfold's rename pass renames one folder of 32,766 files, beside a bare loop of
// renameat2(RENAME_NOREPLACE) over the same sorted names. The pass includes all that the window
// does but its boxes: listing, plan, the look at which names are taken, and the journal, written
// and synced before the first rename (into a journal folder of the benchmark's own). Its part
// after the question, the journal and the renames, is also timed alone. Each renames a fresh
// folder of its own; they take turns run by run, so that a burst of load on the machine falls on
// all alike.
//
//   rename_bench [files=32766] [runs=5]
//
// Prints the median time of each and its ratio to the bare loop's. Exits 1 when the pass takes
// more than 1.2 times the bare loop's time, or when the pass's names differ from the plan.

#include "ScratchFolder.h"
#include "platform/FolderListing.h"
#include "tallyfold/BatchRename.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr const char* Label = "pic";
constexpr double Target = 1.2;

std::string NameOf(int i) {
    static const char* const extensions[] = {".jpg", ".jpg", ".JPG", ".png", ".tar.gz", ""};
    char digits[16];
    std::snprintf(digits, sizeof digits, "IMG_%05d", (i * 7919) % 100'000);
    return digits + std::string(extensions[i % 6]);
}

void MakeFolder(const fs::path& folder, int files) {
    fs::create_directory(folder);
    for (int i = 0; i < files; ++i)
        std::ofstream(folder / NameOf(i));
    // Metadata still to be written back would fall on whoever runs next.
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    syncfs(descriptor);
    close(descriptor);
}

bool Yes(const std::string&, const std::string&) {
    return true;
}

// Tallyfold's pass as the window runs it, without its boxes and the preview's text.
std::function<void()> TallyfoldPass(const std::string& folder) {
    return [folder] { RunBatch(PrepareBatch(folder, Label, Placement::Prefix), Yes); };
}

// What the window does after Yes.
std::function<void()> AfterTheQuestion(const std::string& folder) {
    return [batch = PrepareBatch(folder, Label, Placement::Prefix)] { RunBatch(batch, Yes); };
}

struct Contender {
    const char* name;
    // Prepares a run on the folder, untimed, and returns the timed part.
    std::function<std::function<void()>(const std::string& folder)> prepare;
    std::vector<double> seconds;
};

// The renames and nothing else: listed and named before the clock starts.
std::function<void()> BareLoop(const std::string& folder) {
    const NumberedRenames plan = PrepareBatch(folder, Label, Placement::Prefix).plan;
    return [plan] {
        for (const Renaming& renaming : plan.renamings)
            renameat2(AT_FDCWD, renaming.oldPath.c_str(), AT_FDCWD, renaming.newPath.c_str(),
                      RENAME_NOREPLACE);
    };
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    const int files = argc > 1 ? std::atoi(argv[1]) : 32'766;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 5;
    const ScratchFolder scratch("rename-bench");
    setenv("XDG_STATE_HOME", (scratch.path() / "state").c_str(), 1);

    std::vector<Contender> contenders = {
        {"Tallyfold's rename pass", TallyfoldPass, {}},
        {"  its part after the question", AfterTheQuestion, {}},
        {"bare renameat2 loop", BareLoop, {}},
    };
    std::vector<std::string> expected;
    bool same = true;
    for (int run = 0; run < runs; ++run) {
        for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
            Contender& contender = contenders[(run + turn) % contenders.size()];
            const fs::path folder =
                scratch.path() / ("run" + std::to_string(run) + "-" + std::to_string(turn));
            MakeFolder(folder, files);
            const std::string path = folder.native() + "/";
            if (expected.empty()) {
                for (const Renaming& renaming :
                     PrepareBatch(path, Label, Placement::Prefix).plan.renamings)
                    expected.push_back(fs::path(renaming.newPath).filename().native());
                expected = Sorted(expected);
            }
            const std::function<void()> timed = contender.prepare(path);
            const auto start = std::chrono::steady_clock::now();
            timed();
            contender.seconds.push_back(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
            if (Sorted(platform::ListFiles(path, "*.*")) != expected) {
                std::printf("%s did not rename as planned\n", contender.name);
                same = false;
            }
            fs::remove_all(folder);
        }
    }

    const double bare = Median(contenders.back().seconds);
    std::printf("%d files, median of %d runs each\n", files, runs);
    for (const Contender& contender : contenders)
        std::printf("  %-30s %8.1f ms  %5.2f x the bare loop\n", contender.name,
                    Median(contender.seconds) * 1000, Median(contender.seconds) / bare);
    const double ratio = Median(contenders[0].seconds) / bare;
    std::printf("target: at most %.1f x the bare loop: %s\n", Target,
                ratio <= Target ? "met" : "MISSED");
    return ratio <= Target && same ? 0 : 1;
}
