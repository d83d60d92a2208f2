#pragma once

#include "platform/ItemChooser.h"

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

} // namespace platform
