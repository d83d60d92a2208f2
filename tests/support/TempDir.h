#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes out of scope.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }
    // `relative` below this folder; its parent folders are created.
    std::filesystem::path file(const std::string& relative, const std::string& content = {}) const;
    std::filesystem::path folder(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

std::string ReadBytes(const std::filesystem::path& file);
