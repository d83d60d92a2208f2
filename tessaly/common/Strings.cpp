#include "Strings.h"

#include <filesystem>

std::string StripItem(std::string& startStrg) {
    const auto nul = startStrg.find('\0');
    if (nul == std::string::npos)
        return {};
    std::string item = startStrg.substr(0, nul);
    startStrg.erase(0, nul + 1);
    return item;
}

std::string TrimNull(const std::string& startstr) {
    return startstr.substr(0, startstr.find('\0'));
}

std::string AddBackslash(const std::string& path) {
    constexpr char separator = std::filesystem::path::preferred_separator;
    if (!path.empty() && path.back() == separator)
        return path;
    return path + separator;
}
