#pragma once

#include <string>

namespace platform {

class ItemChooser {
public:
    virtual ~ItemChooser() = default;
    // A modal dialog where a file or a folder can be picked; its full path, or "" on cancel.
    virtual std::string chooseItem(const std::string& prompt) = 0;
    // A modal dialog where only a folder can be picked; its full path, or "" on cancel.
    virtual std::string chooseFolder(const std::string& prompt) = 0;
};

} // namespace platform
