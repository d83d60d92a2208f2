#pragma once

#include <algorithm>
#include <string>
#include <type_traits>
#include <vector>

namespace platform {

// Sorts `names` by the key that `keyOf` works out once for each name, and names of equal keys by
// `tieLess`: sorting tens of thousands of names then compares ready keys instead of working out
// the order of two names at each of the comparisons.
template <typename KeyOf, typename TieLess>
void SortByKey(std::vector<std::string>& names, KeyOf keyOf, TieLess tieLess) {
    struct Entry {
        std::invoke_result_t<KeyOf&, const std::string&> key;
        std::string* name;
    };
    std::vector<Entry> entries;
    entries.reserve(names.size());
    for (std::string& name : names)
        entries.push_back({keyOf(name), &name});
    std::sort(entries.begin(), entries.end(), [&tieLess](const Entry& a, const Entry& b) {
        const auto order = a.key <=> b.key;
        return order != 0 ? order < 0 : tieLess(*a.name, *b.name);
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (const Entry& entry : entries)
        sorted.push_back(std::move(*entry.name));
    names = std::move(sorted);
}

} // namespace platform
