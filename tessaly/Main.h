#pragma once

#include "platform/Services.h"

#include <QWidget>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class ArmpatchChange;
class SettingsBatch;
class ClickLabel;
class DirListBox;
class DriveListBox;
class FileListBox;
class PathListBox;
class QComboBox;
class QLabel;
class QPushButton;
enum class ArmpatchCommand;

// Tessaly's main window. This declaration is the map of the window: its handlers are defined
// in the folder of the subsystem they belong to (startup/, selection/, ...).
class Main : public QWidget {
    Q_OBJECT

public:
    explicit Main(platform::Services services, QWidget* parent = nullptr);

    // The state that the kit's parts share.
    std::string Ironvaledirectory; // game folder; ends with "/" after a completed start-up
    std::string installationdir;   // the game's armpatch folder, set by Install and Defaults
    int16_t cntr = 0;              // number of entries in LstFiles
    bool SetupError = false;       // the user gave up, or the settings file could not be made

    // Start-up (startup/).
    void Form_Load();
    void SearchForGame();
    void LocateGame();
    std::string fBrowseForFolder(const std::string& sPrompt);
    void mnuChooseGameFolder_Click();

    // Browser panes (selection/).
    void DriveList_Change();
    void DriveList_KeyPress(int KeyAscii);
    void DirList_Change();
    void PatternCombo_Click();
    void Form_Click();
    void Logo_Click();
    void SaveBrowsePosition();

    // Installation list (selection/).
    void FileList_DblClick();
    void FileList_KeyPress(int KeyAscii);
    void LstFiles_DblClick();
    void LstFiles_KeyPress(int KeyAscii);
    void LstFiles_DeleteKey();

    // Image preview (selection/).
    void FileList_Click();
    void LstFiles_Click();
    void FileImage_Click();

    // Install, Defaults and Undo, and the file work beneath them (install/).
    void cmdInstall_Click();
    void cmdDefaults_Click();
    void mnuUndo_Click();
    void CopyListFiles();
    bool EmptyArmpatchFolder(ArmpatchCommand command);
    void RenumberFiles(const std::string& prefix);

    // Help, About, Clear and Quit (windows/).
    void cmdHelp_Click();
    void cmdAbout_Click();
    void cmdClear_Click();
    void cmdQuit_Click();
    // The window closes, by Quit or by its frame: the kit's other windows close with it.
    void Form_Unload();

    // Closes the window for good; the program ends when no window is left.
    void Unload();
    bool isUnloaded() const { return unloaded_; }

    // The controls, reachable by tests as a user reaches them.
    DriveListBox* DriveList;
    DirListBox* DirList;
    FileListBox* FileList;
    QComboBox* PatternCombo;
    ClickLabel* Logo;
    PathListBox* LstFiles;
    ClickLabel* FileImage;
    QPushButton* cmdClear;
    QPushButton* cmdInstall;
    QPushButton* cmdHelp;
    QPushButton* cmdAbout;
    QPushButton* cmdDefaults;
    QPushButton* cmdQuit;
    QLabel* lblGameFolder;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildControls();
    void startAtWorkingFolder();
    void connectHandlers();
    std::string kitFile(const std::string& name) const;
    std::string settingsPath() const;
    void searchWithSplash();
    bool userLocatesGame();
    void recordGameFolder(bool firstRun);
    void showGameFolder();
    void goodbye();
    // What start-up asks of the browser panes and the installation list.
    void showBrowsePosition(const std::string& drive, const std::string& folder);
    void appendListEntry(const std::string& path);
    // What Clear asks of the installation list.
    void emptyInstallationList();
    // What Install asks of it: the entries' full paths, top first.
    std::vector<std::string> listEntries() const;
    bool changeArmpatchFolder(ArmpatchCommand command, const std::function<bool()>& fill);
    bool saysBusy(const ArmpatchChange& change);
    QString undoEntry() const;
    bool copyDefaults();
    void makeArmpatchFolder();
    bool copyIntoArmpatchFolder(const std::string& file);
    bool nameArmpatchCopies();
    void recordListEntry(SettingsBatch& records, std::size_t position, const std::string& entry);
    void showProgress(const QString& caption);
    void fillTypeFilter();
    void addSelectedFile();
    void removeSelectedEntry();
    std::optional<std::string> preview(const std::string& selected);
    void cue(const char* name, platform::Wait wait);
    platform::BoxAnswer box(const std::string& text, platform::BoxIcon icon,
                            platform::BoxButtons buttons = platform::BoxButtons::Ok);

    platform::Services services_;
    bool unloaded_ = false;
    ArmpatchChange* change_ = nullptr; // the Install or Defaults under way
};
