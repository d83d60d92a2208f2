#pragma once

#include "MessageBoxes.h"

namespace platform {

// Modal QMessageBox over the application's active window.
class QtMessageBoxes : public MessageBoxes {
public:
    BoxAnswer show(const BoxRequest& request) override;
};

} // namespace platform
