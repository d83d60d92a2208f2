#pragma once

#include "ItemChooser.h"

namespace platform {

// File dialogs owned by the application's active window.
class QtItemChooser : public ItemChooser {
public:
    std::string chooseItem(const std::string& prompt) override;
    std::string chooseFolder(const std::string& prompt) override;
};

} // namespace platform
