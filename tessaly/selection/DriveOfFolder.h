#pragma once

#include "platform/DriveRoots.h"

#include <string>
#include <vector>

// The drive whose root holds `folder`: the longest drive root that is the folder itself or one
// of its parents. "" when no drive holds it.
std::string DriveOfFolder(const std::string& folder, const std::vector<platform::Drive>& drives);
