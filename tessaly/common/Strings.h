#pragma once

#include <string>

// Takes the first NUL-ended item off the front of `startStrg` and returns it. A text without
// a NUL yields "" and stays as it is, so a caller looping until the text is empty must not
// rely on this call to shorten it.
std::string StripItem(std::string& startStrg);

// The characters before the first NUL, or the whole text when it holds none.
std::string TrimNull(const std::string& startstr);

// `path` with the platform's folder separator at its end: added only when it is not already
// the last character. The empty text gives the separator alone.
std::string AddBackslash(const std::string& path);
