#pragma once

#include <string>

namespace platform {

enum class BoxIcon { None, Information, Warning, Critical, Question };
enum class BoxButtons { Ok, OkCancel, YesNo };
enum class BoxAnswer { Ok, Cancel, Yes, No };

// One modal message box: what the user sees and which buttons they get.
struct BoxRequest {
    std::string title;
    std::string text; // bytes as they come from the disk; decoded for display only
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;

    bool operator==(const BoxRequest&) const = default;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally and returns the button that closed it.
    virtual BoxAnswer show(const BoxRequest& request) = 0;
};

} // namespace platform
