#include "Files.h"

#include <filesystem>
#include <fstream>

bool FileExists(const std::string& sFullPath) {
    std::error_code error;
    return !sFullPath.empty() && std::filesystem::is_regular_file(sFullPath, error);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        return false;
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return !file.fail();
}
