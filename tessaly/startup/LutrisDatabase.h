#pragma once

#include <string>
#include <vector>

// The folders that Lutris's game database (pga.db) records for its games, in the order they were
// added. A database that is missing, locked, corrupt or of another shape gives nothing, as does a
// system without Qt's SQLite driver. The file is opened read-only: it is Lutris's, not ours.
std::vector<std::string> LutrisGameDirectories(const std::string& database);
