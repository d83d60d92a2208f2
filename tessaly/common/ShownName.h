#pragma once

#include <QString>
#include <string>

// How a name or path from the disk is shown: decoded from its bytes, with each control
// character drawn as its visible symbol (a line break as U+2424), so that it stays on one line
// in a list and in a caption. For display only: the kit keeps, saves and opens the bytes.
QString ShownName(const std::string& bytes);
