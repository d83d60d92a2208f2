#pragma once

#include "Services.h"
#include "tessaly/install/NumberedName.h"

#include <QWidget>
#include <string>

// Every Tallyfold kit holds its banner, which tells a portable kit from an installed one.
inline constexpr const char* KitBanner = "banner.png";

class FolderCaption;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Tallyfold's one window: the folder, the label and its place beside the number, and the
// commands. This declaration is the map of the window; the rename command lives in
// RenameFiles.cpp, its undo UndoFiles.cpp.
class Rename : public QWidget {
    Q_OBJECT

public:
    explicit Rename(tallyfold::Services services, QWidget* parent = nullptr);

    void Form_Load();
    void optPrefix_Click();
    void optSuffix_Click();
    void cmdBrowse_Click();
    void cmdQuit_Click();
    void cmdRename_Click();
    void cmdUndo_Click();
    // Takes `folder` as the one to rename in, as if picked in the folder dialog.
    void chooseFolder(const std::string& folder);

    // The controls, reachable by tests as a user reaches them.
    QLabel* Image1;
    QRadioButton* optPrefix;
    QRadioButton* optSuffix;
    QLabel* lblfilename;
    QLineEdit* txtName;
    QLabel* lblbrowse;
    QPushButton* cmdBrowse;
    FolderCaption* lblDir;
    QPushButton* cmdRename;
    QPushButton* cmdQuit;
    QPushButton* cmdUndo;

private:
    void buildControls();
    void connectHandlers();
    void showPlacement(Placement placement);
    std::string kitFile(const char* name) const;
    platform::BoxAnswer box(const std::string& text, platform::BoxIcon icon,
                            platform::BoxButtons buttons = platform::BoxButtons::Ok,
                            const std::string& details = {});

    tallyfold::Services services_;
};
