#include "TypeFilter.h"

std::string PatternOf(const std::string& entry) {
    const auto open = entry.find('(');
    const auto close = entry.find(')');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return {};
    return entry.substr(open + 1, close - open - 1);
}
