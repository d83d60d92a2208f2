#include "Rename.h"

#include "FolderCaption.h"
#include "WindowLook.h"
#include "platform/Picture.h"
#include "platform/Twips.h"
#include "platform/WindowStyle.h"

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <filesystem>

namespace {

// Tallyfold's own files, laid beside the program by the build.
constexpr const char* Icons[] = {"tallyfold.png", "tallyfold-64.png"};

constexpr const char* BrowsePrompt = "Click on an entry to select it.";

template <typename Control>
Control* Placed(QWidget* parent, const char* caption, const char* tooltip, QRect geometry) {
    auto* control = new Control(QString::fromUtf8(caption), parent);
    control->setToolTip(QString::fromUtf8(tooltip));
    control->setGeometry(geometry);
    return control;
}

// Enter presses a button that holds the focus, as Space does.
QPushButton* Button(QWidget* parent, const char* caption, const char* tooltip, QRect geometry) {
    auto* button = Placed<QPushButton>(parent, caption, tooltip, geometry);
    button->setAutoDefault(true);
    return button;
}

// A label that takes the size of its caption, from its top left corner.
QLabel* Caption(QWidget* parent, const char* caption, QPoint topLeft) {
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    label->move(topLeft);
    label->adjustSize();
    return label;
}

} // namespace

Rename::Rename(tallyfold::Services services, QWidget* parent)
    : QWidget(parent), services_(services) {
    setObjectName("Rename");
    setWindowTitle("Tallyfold");
    QIcon icon;
    for (const char* name : Icons)
        icon.addPixmap(KitPicture(kitFile(name)));
    setWindowIcon(icon);
    FixWindowSize(*this, {Twips(4560), Twips(2955)});
    // The layout was measured for 8-point captions; larger ones run into the next control.
    QFont captions = font();
    captions.setPointSize(8);
    setFont(captions);

    buildControls();
    tallyfold::DressControls(*this);
    connectHandlers();
}

void Rename::buildControls() {
    Image1 = new QLabel(this);
    Image1->setGeometry(TwipsRect(0, 120, 4500, 750));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setPixmap(KitPicture(kitFile(KitBanner)));
    Image1->setToolTip("Tallyfold, drawn and written by Orvik, 2025");
    Image1->setAccessibleName("Tallyfold");

    optPrefix = Placed<QRadioButton>(this, "Prefix",
                                     "Select if you want the new file name to have a label infront "
                                     "of it's file number.  example: file1.ext",
                                     TwipsRect(195, 750, 855, 435));
    optSuffix = Placed<QRadioButton>(this, "Suffix",
                                     "Select if you want the new file name to have a label after "
                                     "it's file number.  example: 1file.ext",
                                     TwipsRect(195, 1230, 855, 435));
    lblfilename = Caption(this, "Specify", {Twips(1275), Twips(870)});

    txtName = new QLineEdit(this);
    txtName->setGeometry(TwipsRect(2760, 840, 1575, 315));
    txtName->setMaxLength(20);
    txtName->setToolTip("Enter a label of the new file names.  example: file1.ext or 1file.ext,  "
                        "Leave blank for consecutive files numbered without a prefix or suffix.  "
                        "example: 1.ext, 2.ext ...etc.");
    // A screen reader names the field by its caption.
    lblfilename->setBuddy(txtName);

    lblbrowse = Caption(this, "Select Directory:", {Twips(1275), Twips(1320)});
    cmdBrowse =
        Button(this, "&Browse", "Select Directory where the files to be renamed are located.",
               TwipsRect(2760, 1260, 1575, 375));

    lblDir = new FolderCaption(this);
    lblDir->setGeometry(TwipsRect(360, 1800, 3855, 495));
    lblDir->setToolTip("Tallyfold will rename all files in a specified directory with a "
                       "consecutive number and if desired, a prefix or a suffix may be used.");

    cmdRename = Button(this, "&Rename Files", "Rename all files", TwipsRect(435, 2400, 1575, 375));
    cmdQuit = Button(this, "&Quit", "Quit Tallyfold", TwipsRect(2760, 2400, 1575, 375));
    // In the gap between the two commands.
    cmdUndo = Button(this, "&Undo",
                     "Give the files back the names they had before the last "
                     "renaming in the chosen directory",
                     TwipsRect(2055, 2400, 660, 375));

    const QList<QWidget*> tabOrder = {cmdQuit,   cmdRename, cmdUndo,  optSuffix,
                                      cmdBrowse, txtName,   optPrefix};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    cmdQuit->setFocus();
}

void Rename::connectHandlers() {
    connect(optPrefix, &QRadioButton::clicked, this, &Rename::optPrefix_Click);
    connect(optSuffix, &QRadioButton::clicked, this, &Rename::optSuffix_Click);
    connect(cmdBrowse, &QPushButton::clicked, this, &Rename::cmdBrowse_Click);
    connect(cmdRename, &QPushButton::clicked, this, &Rename::cmdRename_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &Rename::cmdQuit_Click);
    connect(cmdUndo, &QPushButton::clicked, this, &Rename::cmdUndo_Click);
}

void Rename::Form_Load() {
    optPrefix_Click();
    txtName->setText("file");
    lblDir->setFolder("");
}

void Rename::optPrefix_Click() {
    showPlacement(Placement::Prefix);
}

void Rename::optSuffix_Click() {
    showPlacement(Placement::Suffix);
}

void Rename::showPlacement(Placement placement) {
    // The two options form one group: setting one clears the other.
    const bool prefix = placement == Placement::Prefix;
    (prefix ? optPrefix : optSuffix)->setChecked(true);
    lblfilename->setText(prefix ? "Specify Prefix:" : "Specify Suffix:");
    lblfilename->adjustSize();
}

// A cancelled dialog leaves the earlier choice, and its bold caption, as they were. So does a
// folder whose name the dialog could not hand back as the disk spells it: renaming in a folder
// named by a changed text could reach another folder, or none.
void Rename::cmdBrowse_Click() {
    const platform::ItemPick pick = services_.chooser.chooseFolder(BrowsePrompt);
    if (pick.outcome == platform::ItemPick::Outcome::NameLost) {
        box("Tallyfold cannot use the folder you picked:\n" + pick.shownAs +
                "\n\nIts name, or the name of a folder above it, is not plain UTF-8 text, so the "
                "folder dialog could not hand it over as the disk spells it.  Please rename it, "
                "or pick another one.",
            platform::BoxIcon::Warning);
        return;
    }
    if (pick.outcome != platform::ItemPick::Outcome::Chosen || pick.path.empty())
        return;
    chooseFolder(pick.path);
}

void Rename::chooseFolder(const std::string& folder) {
    lblDir->setFolder(folder);
    QFont bold = lblDir->font();
    bold.setBold(true);
    lblDir->setFont(bold);
}

void Rename::cmdQuit_Click() {
    close();
}

std::string Rename::kitFile(const char* name) const {
    return (std::filesystem::path(services_.programFolder.kitFolder()) / name).native();
}

platform::BoxAnswer Rename::box(const std::string& text, platform::BoxIcon icon,
                                platform::BoxButtons buttons, const std::string& details) {
    return services_.boxes.show({"Tallyfold", text, icon, buttons, details});
}
