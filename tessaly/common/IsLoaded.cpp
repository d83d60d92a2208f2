#include "IsLoaded.h"

#include <QApplication>
#include <QWidget>
#include <exception>

bool IsLoadedAmong(platform::MessageBoxes& boxes, const std::vector<QWidget*>& windows,
                   const std::string& FormName, bool UnloadIt,
                   const std::function<void(QWidget&)>& unload) {
    bool loaded = false;
    try {
        const QString wanted = QString::fromUtf8(FormName).toUpper();
        for (QWidget* window : windows) {
            if (window->objectName().toUpper() != wanted)
                continue;
            loaded = true;
            if (UnloadIt)
                unload(*window);
            break;
        }
    } catch (const std::exception&) {
        boxes.show({"Loomwright", "Error, Unloading " + FormName, platform::BoxIcon::Critical,
                    platform::BoxButtons::Ok});
    }
    return loaded;
}

bool IsLoaded(platform::MessageBoxes& boxes, const std::string& FormName, bool UnloadIt) {
    const auto windows = QApplication::topLevelWidgets();
    return IsLoadedAmong(boxes, {windows.begin(), windows.end()}, FormName, UnloadIt,
                         [](QWidget& window) { window.close(); });
}
