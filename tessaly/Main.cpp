#include "Main.h"

#include "platform/Picture.h"
#include "platform/Twips.h"
#include "platform/WindowStyle.h"
#include "tessaly/common/KitFiles.h"
#include "tessaly/common/ScreenReaderName.h"
#include "tessaly/common/Sound.h"
#include "tessaly/common/Strings.h"
#include "tessaly/common/WindowLook.h"
#include "tessaly/selection/ClickLabel.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/DriveListBox.h"
#include "tessaly/selection/DriveOfFolder.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <filesystem>

namespace {

// The designed client area is 8100 x 6030 twips, but the type filter's drop-down list sits at
// 5880 twips and is 315 high; the window grows just enough to show it whole.
constexpr int ClientWidth = 8100;
constexpr int ClientHeight = 5880 + 315;

QPushButton* Button(QWidget* parent, const char* caption, const char* tooltip, QRect geometry) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setToolTip(QString::fromUtf8(tooltip));
    button->setGeometry(geometry);
    return button;
}

} // namespace

Main::Main(platform::Services services, QWidget* parent) : QWidget(parent), services_(services) {
    setObjectName("Main");
    setWindowTitle("Orvik's Ironvale Loomwright");
    setWindowIcon(KitPicture(kitFile(kit::WindowIcon)));
    FixWindowSize(*this, {Twips(ClientWidth), Twips(ClientHeight)});
    PaintBlack(*this);

    buildControls();
    DressControls(*this);
    startAtWorkingFolder();
    connectHandlers();

    CentreOnScreen(*this);
}

void Main::buildControls() {
    DriveList = new DriveListBox(services_.drives, this);
    DriveList->setGeometry(TwipsRect(120, 120, 2175, 315));

    DirList = new DirListBox(this);
    DirList->setGeometry(TwipsRect(120, 480, 2175, 2340));

    FileList = new FileListBox(this);
    // Designed 3015 high, which would run one pixel under the type filter below it.
    FileList->setGeometry(TwipsRect(120, 2880, 2175, 3000));
    FileList->setToolTip("FileList: Single Click to Preview File.  Dbl Click to Add File to List");

    PatternCombo = new QComboBox(this);
    PatternCombo->setGeometry(TwipsRect(120, 5880, 2175, 315));

    const QCursor pointer(KitPicture(kitFile(kit::PointerIcon)), 0, 0);
    Logo = new ClickLabel(this);
    Logo->setGeometry(TwipsRect(2640, 0, 5130, 1815));
    Logo->setPixmap(KitPicture(kitFile(kit::Logo)));
    Logo->setCursor(pointer);

    LstFiles = new PathListBox(this);
    LstFiles->setGeometry(TwipsRect(2400, 1920, 4575, 3960));
    LstFiles->setToolTip("Installation List: Single Click to Preview File.  Dbl Click to "
                         "Remove File From List");

    FileImage = new ClickLabel(this);
    FileImage->setObjectName("FileImage");
    FileImage->setGeometry(TwipsRect(7185, 2040, 675, 675));
    FileImage->setAlignment(Qt::AlignCenter);
    FileImage->setCursor(pointer);

    cmdClear = Button(this, "&Clear", "Clear list of selected armpatches.",
                      TwipsRect(7110, 2955, 855, 375));
    cmdInstall = Button(this, "&Install", "Install armpatches that appear in the center listbox.",
                        TwipsRect(7110, 3435, 855, 375));
    cmdHelp = Button(this, "&Help", "Help, tips and info on Orvik's Tessaly.",
                     TwipsRect(7110, 3930, 855, 375));
    cmdAbout = Button(this, "&About", "About Orvik's Tessaly.", TwipsRect(7110, 4425, 855, 375));
    cmdDefaults = Button(this, "&Defaults", "Restore armpatch files to the Ironvale defaults.",
                         TwipsRect(7110, 4905, 855, 375));
    cmdQuit = Button(this, "&Quit", "Exit", TwipsRect(7110, 5400, 855, 375));

    // The free strip under the installation list, beside the type filter.
    lblGameFolder = new QLabel(this);
    lblGameFolder->setGeometry(TwipsRect(2400, 5880, 5565, 315));
    QPalette grey = lblGameFolder->palette();
    grey.setColor(QPalette::WindowText, Qt::lightGray);
    lblGameFolder->setPalette(grey);

    // The buttons are named by their captions.
    NameForScreenReaders(*DriveList, "Drive");
    NameForScreenReaders(*DirList, "Folders");
    NameForScreenReaders(*FileList, "Files");
    NameForScreenReaders(*PatternCombo, "File type");
    NameForScreenReaders(*Logo, "Tessaly logo");
    NameForScreenReaders(*LstFiles, "Installation list");
    NameForScreenReaders(*FileImage, "Preview");

    const QList<QWidget*> tabOrder = {PatternCombo, DriveList,   DirList,    FileList,
                                      LstFiles,     cmdClear,    cmdInstall, cmdHelp,
                                      cmdAbout,     cmdDefaults, cmdQuit};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

// With nothing remembered, the browser opens at the program's working folder on its drive. The
// folder is taken as the bytes of its name: through a QString a name that is not UTF-8 would
// come back naming nothing.
void Main::startAtWorkingFolder() {
    try {
        const std::string folder = std::filesystem::current_path().native();
        DriveList->setDrive(DriveOfFolder(folder, DriveList->places()));
        DirList->setPath(folder);
        FileList->setPath(folder);
    } catch (const std::exception&) {
        // An unreachable or deleted working folder leaves the panes empty until the user picks a
        // drive.
    }
}

void Main::connectHandlers() {
    connect(DriveList, &DriveListBox::driveChanged, this, &Main::DriveList_Change);
    connect(DriveList, &DriveListBox::characterKey, this, &Main::DriveList_KeyPress);
    connect(DirList, &DirListBox::pathChanged, this, &Main::DirList_Change);
    connect(PatternCombo, &QComboBox::currentIndexChanged, this, &Main::PatternCombo_Click);
    connect(Logo, &ClickLabel::clicked, this, &Main::Logo_Click);
    connect(FileList, &FileListBox::doubleClicked, this, &Main::FileList_DblClick);
    connect(FileList, &FileListBox::characterKey, this, &Main::FileList_KeyPress);
    connect(FileList, &FileListBox::selectionChanged, this, &Main::FileList_Click);
    connect(LstFiles, &PathListBox::doubleClicked, this, &Main::LstFiles_DblClick);
    connect(LstFiles, &PathListBox::characterKey, this, &Main::LstFiles_KeyPress);
    connect(LstFiles, &PathListBox::deleteKey, this, &Main::LstFiles_DeleteKey);
    connect(LstFiles, &PathListBox::selectionChanged, this, &Main::LstFiles_Click);
    connect(FileImage, &ClickLabel::clicked, this, &Main::FileImage_Click);
    connect(cmdClear, &QPushButton::clicked, this, &Main::cmdClear_Click);
    connect(cmdInstall, &QPushButton::clicked, this, &Main::cmdInstall_Click);
    connect(cmdDefaults, &QPushButton::clicked, this, &Main::cmdDefaults_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &Main::cmdHelp_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &Main::cmdAbout_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &Main::cmdQuit_Click);
    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this,
            &Main::mnuUndo_Click);
}

void Main::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
    QWidget::mouseReleaseEvent(event);
}

// The menu is shown without waiting for it: the window may close while it is open.
void Main::contextMenuEvent(QContextMenuEvent* event) {
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString undo = undoEntry();
    QAction* entry = menu->addAction(undo.isEmpty() ? "Undo" : undo, this, &Main::mnuUndo_Click);
    entry->setShortcut(QKeySequence::Undo);
    entry->setEnabled(!undo.isEmpty());
    menu->addSeparator();
    menu->addAction("Choose Game Folder…", this, &Main::mnuChooseGameFolder_Click);
    menu->popup(event->globalPos());
}

void Main::Unload() {
    unloaded_ = true;
    close();
}

// Start-up's and the hand search's way out when the user declines to locate the game.
void Main::goodbye() {
    box("This application requires Ironvale installed.  Setup Cancelled, Goodbye",
        platform::BoxIcon::Warning);
    SetupError = true;
    Unload();
}

std::string Main::kitFile(const std::string& name) const {
    return AddBackslash(services_.programFolder.kitFolder()) + name;
}

std::string Main::settingsPath() const {
    return AddBackslash(services_.programFolder.settingsFolder()) + kit::SettingsFile;
}

void Main::cue(const char* name, platform::Wait wait) {
    PlayCue(services_.programFolder, services_.sound, name, wait);
}

platform::BoxAnswer Main::box(const std::string& text, platform::BoxIcon icon,
                              platform::BoxButtons buttons) {
    return services_.boxes.show({"Tessaly", text, icon, buttons});
}
