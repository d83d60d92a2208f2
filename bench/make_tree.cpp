// make_tree [--files N] [--folders N] [--depth D] [--chains C] [--seed S] [--no-game] ROOT
//
// Lays out a synthetic drive for the game search under ROOT, which must not exist yet or be an
// empty folder: folders at depths spread evenly over 1..D, empty files scattered over them, a
// few chains of 40 folders that go below the search's depth limit, and the game, four levels
// down in folders whose names sort after all others, so a walker in name order meets it last
// (left out with --no-game, for a bench that puts the game elsewhere).
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <random>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Options {
    long files = 300'000;
    long folders = 30'000;
    int depth = 12;
    int chains = 3;
    unsigned long seed = 1;
    bool game = true;
    fs::path root;
};

constexpr int kChainLength = 40;

Options parseOptions(int argc, char* argv[]) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--files" && hasValue)
            options.files = std::stol(argv[++i]);
        else if (arg == "--folders" && hasValue)
            options.folders = std::stol(argv[++i]);
        else if (arg == "--depth" && hasValue)
            options.depth = std::stoi(argv[++i]);
        else if (arg == "--chains" && hasValue)
            options.chains = std::stoi(argv[++i]);
        else if (arg == "--seed" && hasValue)
            options.seed = std::stoul(argv[++i]);
        else if (arg == "--no-game")
            options.game = false;
        else if (options.root.empty() && !arg.starts_with("--"))
            options.root = arg;
        else
            throw std::invalid_argument("unknown argument: " + arg);
    }
    if (options.root.empty() || options.depth < 1 || options.folders < 1 || options.files < 0)
        throw std::invalid_argument(
            "usage: make_tree [--files N] [--folders N] [--depth D] [--chains C] [--seed S] "
            "[--no-game] ROOT");
    return options;
}

void makeFolder(const fs::path& path) {
    if (::mkdir(path.c_str(), 0755) != 0)
        throw std::runtime_error(path.string() + ": " + std::strerror(errno));
}

// O_EXCL: whatever already has this name is never touched.
void makeFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        throw std::runtime_error(path.string() + ": " + std::strerror(errno));
    ::close(fd);
}

class Tree {
public:
    explicit Tree(const Options& options) : random_(options.seed), levels_(options.depth + 1) {
        levels_[0].push_back(options.root);
    }

    // A depth drawn evenly from 1..D, made shallower while the level above it is still empty.
    void addFolder(int depth) {
        while (levels_[depth - 1].empty())
            --depth;
        const fs::path path = pick(levels_[depth - 1]) / name("d");
        makeFolder(path);
        levels_[depth].push_back(path);
        all_.push_back(path);
    }

    void addFile() {
        static const char* const extensions[] = {".txt", ".dat", ".png", ".ini", ".log",
                                                 ".cfg", ".bin", ".exe", ".dll", ".wav"};
        makeFile(pick(all_) / (name("f") + extensions[draw(std::size(extensions))]));
    }

    void addChain(int length) {
        fs::path path = pick(all_);
        for (int level = 1; level <= length; ++level)
            makeFolder(path /= "c" + std::to_string(level));
        makeFile(path / "deep.txt");
    }

    int depthCount() const { return static_cast<int>(levels_.size()) - 1; }
    std::size_t draw(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

private:
    const fs::path& pick(const std::vector<fs::path>& among) { return among[draw(among.size())]; }

    // Random lower-case words that never start with 'z', made unique by a running number.
    std::string name(const char* kind) {
        std::string word(1, static_cast<char>('a' + draw(25)));
        for (std::size_t letters = 3 + draw(8); letters > 0; --letters)
            word += static_cast<char>('a' + draw(26));
        return word + "-" + kind + std::to_string(++names_);
    }

    std::mt19937_64 random_;
    std::vector<std::vector<fs::path>> levels_;
    std::vector<fs::path> all_;
    long names_ = 0;
};

void makeGame(const fs::path& root) {
    fs::path folder = root;
    for (const char* name : {"zzz-games", "zzz-studio", "zzz-ironvale", "zzz-bin"})
        makeFolder(folder /= name);
    makeFile(folder / "Ironvale.exe");
    makeFile(folder / "Ironvale.cfg");
    makeFolder(folder / "data");
    makeFolder(folder / "data" / "armpatch");
    for (int i = 1; i <= 16; ++i)
        makeFile(folder / "data" / "armpatch" / ("armpatch" + std::to_string(i) + ".ivb"));
}

void makeRoot(const fs::path& root) {
    std::error_code error;
    if (fs::exists(root, error) && !(fs::is_directory(root) && fs::is_empty(root)))
        throw std::runtime_error(root.string() + ": exists and is not an empty folder");
    fs::create_directories(root);
}

} // namespace

int main(int argc, char* argv[]) {
    try {
        const Options options = parseOptions(argc, argv);
        makeRoot(options.root);
        Tree tree(options);
        for (long i = 0; i < options.folders; ++i)
            tree.addFolder(1 + static_cast<int>(tree.draw(tree.depthCount())));
        for (long i = 0; i < options.files; ++i)
            tree.addFile();
        for (int i = 0; i < options.chains; ++i)
            tree.addChain(kChainLength);
        if (options.game)
            makeGame(options.root);
        std::cout << options.folders << " folders, " << options.files << " files, "
                  << options.chains << " chains of " << kChainLength << " under "
                  << options.root.string() << '\n';
    } catch (const std::exception& failure) {
        std::cerr << "make_tree: " << failure.what() << '\n';
        return 1;
    }
    return 0;
}
