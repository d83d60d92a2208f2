#pragma once

#include "ItemChooser.h"

namespace platform {

// File dialogs owned by the application's active window.
class QtItemChooser : public ItemChooser {
public:
    ItemPick chooseItem(const std::string& prompt, const std::string& nameFilter) override;
    ItemPick chooseFolder(const std::string& prompt) override;
};

} // namespace platform
