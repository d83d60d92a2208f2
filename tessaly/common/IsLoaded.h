#pragma once

#include "platform/MessageBoxes.h"

#include <functional>
#include <string>
#include <vector>

class QWidget;

// Whether a window of that object name (letter case ignored) is loaded; with `UnloadIt` the
// first such window is also closed. A failure on the way is shown in a box titled "Loomwright",
// and the result is what was known at that moment.
bool IsLoaded(platform::MessageBoxes& boxes, const std::string& FormName, bool UnloadIt);

// The same walk over any list of windows with any way of unloading one; IsLoaded uses the
// application's top-level windows and closes the match.
bool IsLoadedAmong(platform::MessageBoxes& boxes, const std::vector<QWidget*>& windows,
                   const std::string& FormName, bool UnloadIt,
                   const std::function<void(QWidget&)>& unload);
