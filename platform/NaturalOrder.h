#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The order in which a file manager shows names: runs of digits compare by their value
// ("IMG_2" before "IMG_10"), other text by its characters in lower case, and names still alike
// compare by their bytes, so that no two names tie. Names that are not UTF-8 take part too: a
// byte that is no character counts as the replacement character, and the bytes decide between
// such names.
void SortNaturally(std::vector<std::string>& names);

// The key whose byte order is that order up to the last step, comparing by the bytes of the
// names themselves.
std::string NaturalSortKey(std::string_view name);

} // namespace platform
