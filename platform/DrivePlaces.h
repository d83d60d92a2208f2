#pragma once

#include "DriveRoots.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

// The drives worth browsing among all the mounts of the machine, as a file manager shows them
// as places, in the order given:
// - "/";
// - /home, or the user's home folder, when it is a mount of its own;
// - the mounts below /media, /run/media and /mnt;
// - any other mount of a disk (a fixed, removable or optical drive) that `canOpen` says the
//   user may open.
// Of the others, left out are the system's own trees, each with everything below it (/boot*,
// /dev, /proc, /sys, /run but for /run/media, /snap, /var/lib), and any further mount of a file
// system already listed. Only disks are asked about `canOpen`, so that a network share which
// no longer answers cannot stall the list.
std::vector<Drive> DrivePlaces(const std::vector<Drive>& drives, const std::string& home,
                               const std::function<bool(const std::string& folder)>& canOpen);

// DrivePlaces for the user running the program: the home folder from the user database, and
// the user's own right to list a folder.
std::vector<Drive> UserDrivePlaces(const std::vector<Drive>& drives);

} // namespace platform
