#include "TreeSearch.h"

#include "FileDescriptor.h"
#include "FolderOpener.h"
#include "RetryInterrupted.h"

#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstddef>
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

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Letter case is folded for ASCII only: the names sought are ASCII, and no byte of a multi-byte
// UTF-8 character can fold into an ASCII letter.
class NameMatcher {
public:
    explicit NameMatcher(std::string_view name) {
        for (char c : name)
            lower_ += lowerAscii(c);
    }
    bool matches(const char* name) const {
        for (char c : lower_) {
            if (lowerAscii(*name++) != c)
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

// Which end of the queue of pending folders a worker takes from. One worker goes breadth-first,
// taking the oldest folder, so a game a few levels down is reached early whatever its name; the
// other goes depth-first in the order the folders list their entries, taking the newest, so a
// game deep in the first branches is reached early too. Each folder is still read once.
enum class End { Oldest, Newest };

// The walk shared by the worker threads through one queue of batches. It is over when the
// queue is empty and no worker is reading a folder that could refill it, or at the first hit
// or failure.
class Walk {
public:
    Walk(int rootFd, std::string_view fileName, int maxDepth)
        : opener_(rootFd), matcher_(fileName), maxDepth_(maxDepth) {
        queue_.push_back(Batch::forRoot());
    }

    // Throws what a worker threw, once all have stopped.
    std::optional<std::string> run() {
        std::vector<std::jthread> workers;
        try {
            for (int i = 0; i < kWorkers; ++i)
                workers.emplace_back(
                    [this, i] { workGuarded(i % 2 == 0 ? End::Oldest : End::Newest); });
        } catch (const std::system_error&) {
            // Fewer threads to spare: those started walk the whole tree between them.
        }
        if (workers.empty())
            work(End::Oldest);
        workers.clear();
        if (failure_)
            std::rethrow_exception(failure_);
        return hit_;
    }

private:
    void work(End end) {
        std::vector<char> buffer(kListingBufferSize);
        std::string path;
        path.reserve(PATH_MAX);
        int depth = 0;
        while (takeNext(end, path, depth))
            finish(readFolder(path, depth, buffer));
    }

    bool takeNext(End end, std::string& path, int& depth) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return stopped_ || !queue_.empty() || busy_ == 0; });
        if (stopped_ || queue_.empty())
            return false;
        Batch& batch = end == End::Oldest ? queue_.front() : queue_.back();
        depth = batch.take(path);
        if (batch.empty())
            end == End::Oldest ? queue_.pop_front() : queue_.pop_back();
        ++busy_;
        return true;
    }

    void finish(Batch subfolders) {
        {
            std::lock_guard lock(mutex_);
            --busy_;
            if (!subfolders.empty())
                queue_.push_back(std::move(subfolders));
        }
        changed_.notify_all();
    }

    void workGuarded(End end) {
        try {
            keepOnlyTheRoot(opener_.root());
            work(end);
        } catch (...) {
            stop([this] { failure_ = std::current_exception(); });
        }
    }

    void report(std::string path) {
        stop([this, &path] { hit_ = std::move(path); });
    }

    // The first hit or failure ends the walk for every worker; later ones are dropped.
    template <class Record> void stop(Record record) {
        {
            std::lock_guard lock(mutex_);
            if (stopped_)
                return;
            record();
            stopped_ = true;
        }
        changed_.notify_all();
    }

    // Reads one folder: reports a hit, or returns its subfolders for a later turn.
    Batch readFolder(const std::string& path, int depth, std::vector<char>& buffer) {
        Batch subfolders(path, depth + 1);
        const FileDescriptor folder(opener_.open(path));
        if (folder.get() < 0)
            return subfolders; // unreadable, gone, or on another mount
        const bool descend = depth < maxDepth_;
        // Only an empty answer ends the folder: a listing call may return fewer entries than
        // fit whenever it likes, and does so as soon as a signal is pending.
        while (!stopped_.load(std::memory_order_relaxed)) {
            const ssize_t size = RetryInterrupted(
                [&] { return ::getdents64(folder.get(), buffer.data(), buffer.size()); });
            if (size <= 0)
                break;
            for (ssize_t offset = 0; offset < size;) {
                const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
                offset += entry->d_reclen;
                const char* name = entry->d_name;
                const bool named = matcher_.matches(name);
                if ((!named && !descend) || isDotOrDotDot(name))
                    continue;
                const unsigned char type =
                    entry->d_type == DT_UNKNOWN ? typeAt(folder.get(), name) : entry->d_type;
                if (named && type == DT_REG) {
                    report(joinPath(path, name));
                    return Batch(path, depth + 1);
                }
                if (descend && type == DT_DIR)
                    subfolders.add(name);
            }
        }
        return subfolders;
    }

    const FolderOpener opener_;
    const NameMatcher matcher_;
    const int maxDepth_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    int busy_ = 0;
    std::atomic<bool> stopped_ = false;
    std::optional<std::string> hit_;
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
    auto relative = Walk(rootFd.get(), fileName, maxDepth).run();
    if (!relative)
        return std::nullopt;
    return joinPath(root, relative->c_str());
}

} // namespace platform
