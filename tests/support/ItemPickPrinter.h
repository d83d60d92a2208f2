#pragma once

#include "platform/ItemChooser.h"
#include "platform/MessageBoxes.h"

#include <gtest/gtest.h>
#include <ostream>

namespace platform {

// How a failed expectation shows a pick.
inline void PrintTo(const ItemPick& pick, std::ostream* out) {
    switch (pick.outcome) {
    case ItemPick::Outcome::Cancelled:
        *out << "cancelled";
        return;
    case ItemPick::Outcome::Chosen:
        *out << "chosen " << testing::PrintToString(pick.path);
        return;
    case ItemPick::Outcome::NameLost:
        *out << "name lost, shown as " << testing::PrintToString(pick.shownAs);
        return;
    }
}

// How a failed expectation shows a message box: its icon and buttons by number.
inline void PrintTo(const BoxRequest& box, std::ostream* out) {
    *out << "{" << testing::PrintToString(box.title) << ", " << testing::PrintToString(box.text)
         << ", icon " << static_cast<int>(box.icon) << ", buttons " << static_cast<int>(box.buttons)
         << "}";
}

} // namespace platform
