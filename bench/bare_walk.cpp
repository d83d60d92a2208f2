// bare_walk ROOT: reads every folder below ROOT with getdents64 on two threads, as the game
// search does, and nothing more: no name compared, no depth or mount kept, no order. Prints the
// folders and entries read. It is the least that any search of the whole tree must do, the
// reference for the search's miss.
#include <condition_variable>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class BareWalk {
public:
    explicit BareWalk(std::string root) { pending_.push_back(std::move(root)); }

    void run() {
        std::jthread second([this] { work(); });
        work();
    }
    long folders() const { return folders_; }
    long entries() const { return entries_; }

private:
    void work() {
        std::vector<char> buffer(64 * 1024);
        std::vector<std::string> found;
        std::string path;
        long folders = 0;
        long entries = 0;
        while (take(path)) {
            ++folders;
            const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
            for (long size;
                 fd >= 0 && (size = ::getdents64(fd, buffer.data(), buffer.size())) > 0;) {
                for (long offset = 0; offset < size;) {
                    const auto* entry = reinterpret_cast<const dirent64*>(buffer.data() + offset);
                    offset += entry->d_reclen;
                    ++entries;
                    if (entry->d_type == DT_DIR && std::strcmp(entry->d_name, ".") != 0 &&
                        std::strcmp(entry->d_name, "..") != 0)
                        found.push_back(path + "/" + entry->d_name);
                }
            }
            if (fd >= 0)
                ::close(fd);
            give(found);
        }
        std::lock_guard lock(mutex_);
        folders_ += folders;
        entries_ += entries;
    }

    bool take(std::string& path) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return !pending_.empty() || busy_ == 0; });
        if (pending_.empty())
            return false;
        path = std::move(pending_.back());
        pending_.pop_back();
        ++busy_;
        return true;
    }

    void give(std::vector<std::string>& found) {
        {
            std::lock_guard lock(mutex_);
            for (std::string& folder : found)
                pending_.push_back(std::move(folder));
            --busy_;
        }
        found.clear();
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<std::string> pending_;
    int busy_ = 0;
    long folders_ = 0;
    long entries_ = 0;
};

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: bare_walk ROOT\n";
        return 2;
    }
    BareWalk walk(argv[1]);
    walk.run();
    std::cout << walk.folders() << " folders, " << walk.entries() << " entries\n";
    return 0;
}
