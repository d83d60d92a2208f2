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
    // Shown on demand below the text, for what is too long to put in it; "" for none.
    std::string details = {};

    bool operator==(const BoxRequest&) const = default;
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally and returns the button that closed it. A Yes/No box closed
    // without a button answers No, an OK/Cancel one Cancel.
    virtual BoxAnswer show(const BoxRequest& request) = 0;
};

} // namespace platform
