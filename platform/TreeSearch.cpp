#include "TreeSearch.h"

#include <atomic>
#include <climits>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <memory>
#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <mutex>
#include <string_view>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <system_error>
#include <thread>
#include <utility>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

// Large enough that an ordinary folder is read in one call, small enough for the memory budget.
constexpr std::size_t kListingBufferSize = 64 * 1024;

// Folders kept open for their subfolders at most.
constexpr int kKeptFolders = 256;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// A folder waiting to be read: its path below the root and, while it is still open, its parent
// folder, so that opening it looks up one name instead of the whole path.
struct PendingFolder {
    std::shared_ptr<const FileDescriptor> parent;
    std::string path;
    std::size_t nameStart = 0;
    int depth = 0;

    const char* name() const { return path.c_str() + nameStart; }
};

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

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

// Opens folders through their open parent, or by their path from the root. The kernel is asked
// to refuse any symbolic link on the way and any mount crossed, bind mounts of the root's own
// file system included, which a device-number test could not tell apart. Kernels without
// openat2 get the device test.
class FolderOpener {
public:
    explicit FolderOpener(int rootFd) : rootFd_(rootFd) {
        struct stat st {};
        rootDevice_ = ::fstat(rootFd, &st) == 0 ? st.st_dev : 0;
        const int probe = openGuarded(rootFd, ".");
        kernelGuards_ = probe >= 0;
        if (probe >= 0)
            ::close(probe);
    }

    FileDescriptor open(const PendingFolder& folder) const {
        if (folder.parent)
            return openAt(folder.parent->get(), folder.name());
        return openAt(rootFd_, folder.path.empty() ? "." : folder.path.c_str());
    }

private:
    static constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

    FileDescriptor openAt(int dirFd, const char* path) const {
        return FileDescriptor(kernelGuards_ ? openGuarded(dirFd, path) : openChecked(dirFd, path));
    }

    static int openGuarded(int dirFd, const char* path) {
        open_how how{};
        how.flags = kFlags;
        how.resolve = RESOLVE_BENEATH | RESOLVE_NO_XDEV | RESOLVE_NO_SYMLINKS;
        return static_cast<int>(::syscall(SYS_openat2, dirFd, path, &how, sizeof how));
    }

    int openChecked(int dirFd, const char* path) const {
        const int fd = ::openat(dirFd, path, kFlags);
        struct stat st {};
        if (fd >= 0 && (::fstat(fd, &st) != 0 || st.st_dev != rootDevice_)) {
            ::close(fd);
            return -1;
        }
        return fd;
    }

    int rootFd_;
    dev_t rootDevice_ = 0;
    bool kernelGuards_ = false;
};

// A folder that has been read leaves one batch for its subfolders: its own path below the root,
// then each subfolder's name, all NUL-ended in one string, and maybe the folder kept open. A
// pending folder so costs its name and a NUL, and the parent's path is stored once for all its
// children.
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
    void keep(std::shared_ptr<const FileDescriptor> parent) { parent_ = std::move(parent); }
    bool empty() const { return next_ == bytes_.size(); }

    void take(PendingFolder& folder) {
        const char* name = bytes_.data() + next_;
        folder.parent = parent_;
        folder.path.assign(bytes_.data());
        if (!folder.path.empty())
            folder.path += '/';
        folder.nameStart = folder.path.size();
        folder.path += name;
        folder.depth = depth_;
        next_ += std::strlen(name) + 1;
    }

private:
    std::string bytes_;
    std::size_t next_ = 0;
    int depth_;
    std::shared_ptr<const FileDescriptor> parent_;
};

std::string joinPath(std::string_view folder, const char* name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path += name;
}

unsigned char typeAt(int dirFd, const char* name) {
    struct stat st {};
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return DT_UNKNOWN;
    return static_cast<unsigned char>(IFTODT(st.st_mode));
}

bool isDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Breadth-first walk shared by the worker threads through one queue of batches. It is over
// when the queue is empty and no worker is reading a folder that could refill it, or at the
// first hit.
class Walk {
public:
    Walk(int rootFd, std::string_view fileName, int maxDepth)
        : opener_(rootFd), matcher_(fileName), maxDepth_(maxDepth) {
        queue_.push_back(Batch::forRoot());
    }

    std::optional<std::string> run() {
        std::jthread helper;
        try {
            helper = std::jthread([this] { work(); });
        } catch (const std::system_error&) {
            // No thread to spare: one worker walks the whole tree.
        }
        work();
        if (helper.joinable())
            helper.join();
        if (!found_)
            return std::nullopt;
        return hit_;
    }

private:
    void work() {
        std::vector<char> buffer(kListingBufferSize);
        PendingFolder folder;
        folder.path.reserve(PATH_MAX);
        while (takeNext(folder))
            finish(readFolder(folder, buffer));
    }

    bool takeNext(PendingFolder& folder) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return found_ || !queue_.empty() || busy_ == 0; });
        if (found_ || queue_.empty())
            return false;
        queue_.front().take(folder);
        if (queue_.front().empty())
            queue_.pop_front();
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

    void report(std::string path) {
        {
            std::lock_guard lock(mutex_);
            if (found_)
                return;
            hit_ = std::move(path);
            found_ = true;
        }
        changed_.notify_all();
    }

    // Keeps a folder open for its subfolders while few folders are kept, well within the
    // process's limit on open files; the others' subfolders are opened by their whole path.
    void keepOpen(Batch& subfolders, FileDescriptor folder) {
        if (kept_.fetch_add(1) >= kKeptFolders) {
            --kept_;
            return;
        }
        subfolders.keep(std::shared_ptr<const FileDescriptor>(
            new FileDescriptor(std::move(folder)), [this](const FileDescriptor* kept) {
                delete kept;
                --kept_;
            }));
    }

    // Reads one folder: reports a hit, or returns its subfolders for a later turn.
    Batch readFolder(PendingFolder& pending, std::vector<char>& buffer) {
        const std::string& path = pending.path;
        Batch subfolders(path, pending.depth + 1);
        FileDescriptor folder = opener_.open(pending);
        pending.parent.reset(); // the parent closes once all its subfolders are open
        if (folder.get() < 0)
            return subfolders; // unreadable, gone, on another mount, or a path too long
        const bool descend = pending.depth < maxDepth_;
        while (!found_.load(std::memory_order_relaxed)) {
            const ssize_t size = ::getdents64(folder.get(), buffer.data(), buffer.size());
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
                    return Batch(path, pending.depth + 1);
                }
                if (descend && type == DT_DIR)
                    subfolders.add(name);
            }
        }
        if (!subfolders.empty())
            keepOpen(subfolders, std::move(folder));
        return subfolders;
    }

    const FolderOpener opener_;
    const NameMatcher matcher_;
    const int maxDepth_;

    std::atomic<int> kept_ = 0; // outlives the batches, whose kept folders count down here
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Batch> queue_;
    int busy_ = 0;
    std::atomic<bool> found_ = false;
    std::string hit_;
};

} // namespace

std::optional<std::string> SearchTreeForFile(const std::string& root, const std::string& fileName,
                                             int maxDepth) {
    const FileDescriptor rootFd(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (rootFd.get() < 0)
        return std::nullopt;
    auto relative = Walk(rootFd.get(), fileName, maxDepth).run();
    if (!relative)
        return std::nullopt;
    return joinPath(root, relative->c_str());
}

} // namespace platform
