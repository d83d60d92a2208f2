#pragma once

#include <optional>
#include <string>

// The picture that previews `path`: the path without its last three characters, then "gif".
// The extension is not looked at, so eagle.ivb gives eagle.gif and x.jpeg gives x.jgif.
// Characters are UTF-8 sequences, so a name ending in non-ASCII letters loses whole letters;
// a byte that belongs to no valid sequence counts as one character. Nothing for a path of
// fewer than three characters.
std::optional<std::string> PreviewName(const std::string& path);
