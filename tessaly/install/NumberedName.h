#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Where the label stands beside the running number: "file3.jpg" or "3file.jpg".
enum class Placement { Prefix, Suffix };

// Everything from the first "." of `name` to its end, the dot included ("a.tar.gz" gives
// ".tar.gz"); nothing for a name without a dot.
std::string_view FileExtension(std::string_view name);

// The running-number name for the file now called `oldName`: label and number in the order of
// `placement`, then the old name's extension. The number is written in plain decimal.
std::string NumberedName(std::string_view oldName, std::string_view label, std::int16_t number,
                         Placement placement);
