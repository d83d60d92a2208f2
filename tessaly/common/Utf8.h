#pragma once

#include <cstddef>
#include <string_view>

// The first `count` characters of text, read as UTF-8: a well-formed sequence is one
// character and is never cut, and a byte that belongs to none counts as a character of its own,
// so any bytes at all have a length in characters.
std::string_view FirstCharacters(std::string_view text, std::size_t count);
