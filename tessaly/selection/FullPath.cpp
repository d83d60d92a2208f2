#include "FullPath.h"

#include "tessaly/common/Strings.h"

std::string FullPath(const std::string& folder, const std::string& name) {
    return name.empty() ? std::string() : AddBackslash(folder) + name;
}
