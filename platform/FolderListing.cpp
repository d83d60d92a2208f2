#include "FolderListing.h"

#include "NaturalOrder.h"
#include "SortByKey.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <memory>
#include <string_view>
#include <sys/stat.h>
#include <system_error>

namespace platform {
namespace {

enum class Kind { File, Folder, Other };

unsigned char Upper(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - ('a' - 'A')) : byte;
}

// "?" stands for one character, which in UTF-8 is a lead byte with its continuation bytes.
std::size_t CharacterEnd(std::string_view name, std::size_t at) {
    ++at;
    while (at < name.size() && (static_cast<unsigned char>(name[at]) & 0xC0) == 0x80) {
        ++at;
    }
    return at;
}

// `pattern` is already upper-cased. Greedy match that backtracks only to the last "*", so a
// name costs at most len(name) * len(pattern) steps however many stars the pattern has.
bool Matches(std::string_view name, std::string_view pattern) {
    constexpr auto none = std::string_view::npos;
    std::size_t n = 0;
    std::size_t p = 0;
    std::size_t afterStar = none;
    std::size_t starName = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterStar = ++p;
            starName = n;
        } else if (p < pattern.size() && pattern[p] == '?') {
            n = CharacterEnd(name, n);
            ++p;
        } else if (p < pattern.size() && static_cast<unsigned char>(pattern[p]) == Upper(name[n])) {
            ++n;
            ++p;
        } else if (afterStar != none) {
            p = afterStar;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    // The classic file list lets "name.*" stand for a name with no extension too.
    const std::string_view rest = pattern.substr(p);
    const bool dotStar =
        rest.size() >= 2 && rest.front() == '.' && rest.find_first_not_of('*', 1) == none;
    return rest.empty() || dotStar;
}

std::vector<std::string> SplitPatterns(const std::string& patterns) {
    std::vector<std::string> result;
    std::string current;
    for (const char c : patterns + ';') {
        if (c != ';') {
            current += static_cast<char>(Upper(c));
        } else if (!current.empty()) {
            result.push_back(std::move(current));
            current.clear();
        }
    }
    return result;
}

bool UpperCasedLess(const std::string& a, const std::string& b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char x = Upper(a[i]);
        const unsigned char y = Upper(b[i]);
        if (x != y) {
            return x < y;
        }
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

// Packing the first eight upper-cased bytes into one integer settles nearly every comparison
// with a single integer compare: a third of the time of sorting the strings themselves, on
// 100,000 names.
void SortByUpperCasedName(std::vector<std::string>& names) {
    SortByKey(
        names,
        [](const std::string& name) {
            std::uint64_t prefix = 0;
            for (std::size_t i = 0; i < sizeof prefix; ++i) {
                prefix = (prefix << 8) | (i < name.size() ? Upper(name[i]) : 0U);
            }
            return prefix;
        },
        UpperCasedLess);
}

// The file type comes with the entry on most file systems; only links and file systems that
// leave it out cost a stat.
Kind KindOf(DIR* folder, const dirent& entry) {
    switch (entry.d_type) {
    case DT_REG:
        return Kind::File;
    case DT_DIR:
        return Kind::Folder;
    case DT_LNK:
    case DT_UNKNOWN: {
        struct stat status {};
        if (fstatat(dirfd(folder), entry.d_name, &status, 0) != 0) {
            return Kind::Other;
        }
        return S_ISREG(status.st_mode)   ? Kind::File
               : S_ISDIR(status.st_mode) ? Kind::Folder
                                         : Kind::Other;
    }
    default:
        return Kind::Other;
    }
}

[[noreturn]] void ThrowListingError(const std::string& folder) {
    throw std::system_error(errno, std::generic_category(), "Cannot list folder '" + folder + "'");
}

// The names of `wanted` kind that `keep` takes, sorted; the other names, when `others` is given,
// go there unsorted.
template <typename Keep>
std::vector<std::string> List(const std::string& folder, Kind wanted, Order order, Keep keep,
                              std::vector<std::string>* others = nullptr) {
    const std::unique_ptr<DIR, int (*)(DIR*)> handle(opendir(folder.c_str()), closedir);
    if (!handle) {
        ThrowListingError(folder);
    }
    std::vector<std::string> names;
    for (;;) {
        errno = 0;
        const dirent* entry = readdir(handle.get());
        if (entry == nullptr) {
            break;
        }
        const std::string_view name = entry->d_name;
        if (name.front() != '.' && keep(name) && KindOf(handle.get(), *entry) == wanted) {
            names.emplace_back(name);
        } else if (others != nullptr && name != "." && name != "..") {
            others->emplace_back(name);
        }
    }
    if (errno != 0) {
        ThrowListingError(folder);
    }
    if (order == Order::Natural) {
        SortNaturally(names);
    } else {
        SortByUpperCasedName(names);
    }
    return names;
}

} // namespace

std::vector<std::string> ListFiles(const std::string& folder, const std::string& patterns,
                                   Order order) {
    const std::vector<std::string> wanted = SplitPatterns(patterns);
    return List(folder, Kind::File, order, [&wanted](std::string_view name) {
        return std::any_of(wanted.begin(), wanted.end(),
                           [name](const std::string& pattern) { return Matches(name, pattern); });
    });
}

FolderNames ListNames(const std::string& folder, Order order) {
    FolderNames names;
    names.files = List(
        folder, Kind::File, order, [](std::string_view) { return true; }, &names.others);
    return names;
}

std::vector<std::string> ListFolders(const std::string& folder) {
    return List(folder, Kind::Folder, Order::ByName, [](std::string_view) { return true; });
}

} // namespace platform
