#include "TreeSearch.h"

#include "AsciiCase.h"
#include "FileDescriptor.h"
#include "FolderOpener.h"
#include "RetryInterrupted.h"

#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <linux/close_range.h>
#include <mutex>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

// Large enough that an ordinary folder is read in one call, small enough for the memory budget.
constexpr std::size_t kListingBufferSize = 64 * 1024;

// One per core of a small machine; the walk is bound by the kernel's work, not by ours.
constexpr int kWorkers = 2;

// Enough for a game's folder with its subfolders: a walk that reads more gets the workers.
constexpr long kFoldersBeforeWorkers = 32;

// Compares each name of a listing, NUL-ended, with the name sought folded once.
class NameMatcher {
public:
    explicit NameMatcher(std::string_view name) {
        for (char c : name)
            lower_ += LowerAscii(c);
    }
    bool matches(const char* name) const {
        for (char c : lower_) {
            if (LowerAscii(*name++) != c)
                return false;
        }
        return *name == '\0';
    }

private:
    std::string lower_;
};

// A folder that has been read leaves one batch for its subfolders: its own path below the root,
// then each subfolder's name, all NUL-ended in one string. A pending folder so costs its name
// and a NUL, and the parent's path is stored once for all its children.
class Batch {
public:
    Batch(std::string_view parentPath, int depth) : bytes_(parentPath), depth_(depth) {
        bytes_ += '\0';
        next_ = bytes_.size();
    }

    // The root is the one nameless folder below the empty path.
    static Batch forRoot() {
        Batch root("", 0);
        root.add("");
        return root;
    }

    void add(const char* name) { bytes_.append(name, std::strlen(name) + 1); }
    bool empty() const { return next_ == bytes_.size(); }
    int depth() const { return depth_; }

    // Writes the next pending folder's path into `path` and returns its depth.
    int take(std::string& path) {
        const char* name = bytes_.data() + next_;
        path.assign(bytes_.data());
        if (!path.empty())
            path += '/';
        path += name;
        next_ += std::strlen(name) + 1;
        return depth_;
    }

private:
    std::string bytes_;
    std::size_t next_ = 0;
    int depth_;
};

std::string joinPath(std::string_view folder, const char* name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path += name;
}

unsigned char typeAt(int dirFd, const char* name) {
    struct stat st {};
    if (RetryInterrupted([&] { return ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW); }) != 0)
        return DT_UNKNOWN;
    return static_cast<unsigned char>(IFTODT(st.st_mode));
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// A descriptor table of the calling thread's own that holds the root alone. A table shared by
// threads costs a reference count and a lock on each open, read and close; and this way the
// thread holds none of the program's other files open while it walks.
void keepOnlyTheRoot(int rootFd) {
    const auto root = static_cast<unsigned>(rootFd);
    if (::close_range(root + 1, ~0u, CLOSE_RANGE_UNSHARE) == 0 && root > 0)
        ::close_range(0, root - 1, 0);
}

// Trash folders hold what the user threw away; a copy of the game lying there is never the
// game. A file system's own trash sits at its top as ".Trash" or ".Trash-<uid>"; the user's
// home trash is "Trash" in the data folder, ".local/share" unless the user moved it.
class TrashFolders {
public:
    TrashFolders(int rootFd, const char* dataHome) {
        struct stat root {};
        struct stat trash {};
        if (dataHome != nullptr && dataHome[0] == '/' && ::fstat(rootFd, &root) == 0 &&
            ::stat((std::string(dataHome) + "/Trash").c_str(), &trash) == 0 &&
            trash.st_dev == root.st_dev)
            movedHomeTrash_ = trash.st_ino;
    }

    // `parent` is the folder's path below the root, `entry` its listing entry.
    bool isTrash(std::string_view parent, const dirent64& entry) const {
        const std::string_view name = entry.d_name;
        if (name == ".Trash" || name.starts_with(".Trash-"))
            return true;
        if (name != "Trash")
            return false;
        constexpr std::string_view kDataHome = ".local/share";
        return entry.d_ino == movedHomeTrash_ ||
               (parent.ends_with(kDataHome) &&
                (parent.size() == kDataHome.size() ||
                 parent[parent.size() - kDataHome.size() - 1] == '/'));
    }

private:
    ino_t movedHomeTrash_ = 0;
};

// A copy found: how many folders lie between the root and it, and its path below the root.
// The shallowest copy wins, and among copies at one depth the first in byte order, so the answer
// does not depend on which worker read which folder first.
struct Hit {
    int depth = INT_MAX;
    std::string path;

    bool before(const Hit& other) const {
        return depth != other.depth ? depth < other.depth : path < other.path;
    }
};

// The walk shared by the worker threads through one queue of batches, oldest first, so the tree
// is read level by level. A hit at some depth makes every deeper folder pointless, but the
// folders at its depth and above must all still be read, since any of them may hold a copy that
// wins. The walk is over when no folder worth reading is left and no worker is reading one that
// could add more, or at the first failure.
class Walk {
public:
    Walk(int rootFd, std::string_view fileName, int maxDepth, const TrashFolders& trash)
        : opener_(rootFd), matcher_(fileName), trash_(trash), maxDepth_(maxDepth) {
        queue_.push_back(Batch::forRoot());
    }

    // Throws what a worker threw, once all have stopped.
    std::optional<std::string> run() {
        // Most walks of a launcher's places read a folder or a few, sooner than a thread
        // starts: the calling thread reads the first folders itself, and leaves the rest of a
        // walk that grows to the workers.
        if (!work(kFoldersBeforeWorkers)) {
            std::vector<std::jthread> workers;
            try {
                for (int i = 0; i < kWorkers; ++i)
                    workers.emplace_back([this] { workGuarded(); });
            } catch (const std::system_error&) {
                // Fewer threads to spare: those started walk the whole tree between them.
            }
            if (workers.empty())
                work();
        }
        if (failure_)
            std::rethrow_exception(failure_);
        if (best_.depth == INT_MAX)
            return std::nullopt;
        return std::move(best_.path);
    }

private:
    // Reads folders until the walk is over (true), or until `limit` folders are read (false):
    // then the subfolders found are left for others to read.
    bool work(long limit = LONG_MAX) {
        std::vector<char> buffer(kListingBufferSize);
        std::string path;
        path.reserve(PATH_MAX);
        int depth = 0;
        std::optional<Batch> subfolders;
        for (long read = 0; read < limit; ++read) {
            if (!next(std::move(subfolders), path, depth))
                return true;
            subfolders = readFolder(path, depth, buffer);
        }
        const std::lock_guard lock(mutex_);
        handIn(std::move(*subfolders));
        return queue_.empty();
    }

    // Hands in the subfolders of the folder just read, if any, and takes the next folder to
    // read: one turn of the lock per folder.
    bool next(std::optional<Batch> subfolders, std::string& path, int& depth) {
        std::unique_lock lock(mutex_);
        if (subfolders)
            handIn(std::move(*subfolders));
        for (;;) {
            ++waiting_;
            changed_.wait(lock, [this] { return stopped_ || !queue_.empty() || busy_ == 0; });
            --waiting_;
            if (stopped_ || queue_.empty())
                return false;
            if (queue_.front().depth() <= deepest_.load(std::memory_order_relaxed))
                break;
            queue_.pop_front(); // below a hit already found
        }
        Batch& batch = queue_.front();
        depth = batch.take(path);
        if (batch.empty())
            queue_.pop_front();
        ++busy_;
        return true;
    }

    // Called with the lock held.
    void handIn(Batch subfolders) {
        --busy_;
        if (!subfolders.empty() && subfolders.depth() <= deepest_.load(std::memory_order_relaxed))
            queue_.push_back(std::move(subfolders));
        // A waiting worker may now take a folder, or learn that the walk is over.
        if (waiting_ > 0 && (!queue_.empty() || busy_ == 0))
            changed_.notify_all();
    }

    void workGuarded() {
        try {
            keepOnlyTheRoot(opener_.root());
            work();
        } catch (...) {
            {
                std::lock_guard lock(mutex_);
                if (!failure_)
                    failure_ = std::current_exception();
                stopped_ = true;
            }
            changed_.notify_all();
        }
    }

    void report(Hit hit) {
        std::lock_guard lock(mutex_);
        if (hit.before(best_)) {
            deepest_.store(hit.depth, std::memory_order_relaxed);
            best_ = std::move(hit);
        }
    }

    // Reads one folder: reports each copy in it, and returns its subfolders for a later turn.
    Batch readFolder(const std::string& path, int depth, std::vector<char>& buffer) {
        Batch subfolders(path, depth + 1);
        const FileDescriptor folder(opener_.open(path));
        if (folder.get() < 0)
            return subfolders; // unreadable, gone, or on another mount
        // Only an empty answer ends the folder: a listing call may return fewer entries than
        // fit whenever it likes, and does so as soon as a signal is pending.
        while (!stopped_.load(std::memory_order_relaxed) &&
               depth <= deepest_.load(std::memory_order_relaxed)) {
            const ssize_t size = RetryInterrupted(
                [&] { return ::getdents64(folder.get(), buffer.data(), buffer.size()); });
            if (size <= 0)
                break;
            // A hit here or above leaves nothing below this folder worth reading.
            const bool descend =
                depth < maxDepth_ && depth < deepest_.load(std::memory_order_relaxed);
            for (ssize_t offset = 0; offset < size;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
                offset += entry->d_reclen;
                const char* name = entry->d_name;
                const bool named = matcher_.matches(name);
                if ((!named && !descend) || isDotOrDotDot(name))
                    continue;
                const unsigned char type =
                    entry->d_type == DT_UNKNOWN ? typeAt(folder.get(), name) : entry->d_type;
                if (named && type == DT_REG)
                    report({depth, joinPath(path, name)});
                else if (descend && type == DT_DIR && !trash_.isTrash(path, *entry))
                    subfolders.add(name);
            }
        }
        return subfolders;
    }

    const FolderOpener opener_;
    const NameMatcher matcher_;
    const TrashFolders& trash_;
    const int maxDepth_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    int busy_ = 0;
    int waiting_ = 0;
    std::atomic<bool> stopped_ = false;
    // The depth of the best copy found so far: folders below it are not read.
    std::atomic<int> deepest_ = INT_MAX;
    Hit best_;
    std::exception_ptr failure_;
};

} // namespace

std::optional<std::string> SearchTreeForFile(const std::string& root, const std::string& fileName,
                                             int maxDepth) {
    if (maxDepth < 0)
        return std::nullopt;
    const FileDescriptor rootFd(
        RetryInterrupted([&] { return ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }));
    if (rootFd.get() < 0)
        return std::nullopt;
    const TrashFolders trash(rootFd.get(), std::getenv("XDG_DATA_HOME"));
    auto relative = Walk(rootFd.get(), fileName, maxDepth, trash).run();
    if (!relative)
        return std::nullopt;
    return joinPath(root, relative->c_str());
}

} // namespace platform
