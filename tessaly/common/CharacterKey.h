#pragma once

#include <optional>

class QKeyEvent;

// The character code that a key press gives, as the classic key-press event reports it: every
// key that produces a character (letters, digits, punctuation, Space, Enter, Backspace, Escape,
// Ctrl with a letter), nothing for keys that move or edit (arrows, Home/End, Page Up/Down,
// Insert, Delete, function keys), for modifiers alone, nor for Tab, which moves the focus
// before any list sees it.
std::optional<int> CharacterCode(const QKeyEvent& event);

inline bool IsCharacterKey(const QKeyEvent& event) {
    return CharacterCode(event).has_value();
}
