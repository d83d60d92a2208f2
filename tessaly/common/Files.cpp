#include "Files.h"

#include "platform/AtomicFile.h"
#include "platform/FileDescriptor.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

bool FileExists(const std::string& sFullPath) {
    std::error_code error;
    return !sFullPath.empty() && std::filesystem::is_regular_file(sFullPath, error);
}

// A named pipe or a device in the file's place is refused before it is opened, and opened
// without waiting should one take the place meanwhile: an open of a pipe that nobody reads
// would wait for good. Only once the descriptor is known to be a regular file is it emptied.
bool WriteTextFile(const std::string& path, const std::string& text) {
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode))
        return false;
    platform::FileDescriptor file(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666));
    return file.get() >= 0 && ::fstat(file.get(), &status) == 0 && S_ISREG(status.st_mode) &&
           ::ftruncate(file.get(), 0) == 0 && platform::WriteAll(file.get(), text) &&
           file.close();
}
