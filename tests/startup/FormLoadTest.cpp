#include "StartupFixture.h"
#include "support/HeldPipe.h"
#include "tessaly/selection/DirListBox.h"
#include "tessaly/selection/DriveListBox.h"
#include "tessaly/selection/FileListBox.h"
#include "tessaly/selection/PathListBox.h"

#include <QApplication>
#include <QComboBox>
#include <atomic>
#include <optional>
#include <thread>

namespace fs = std::filesystem;
using platform::BoxAnswer;
using platform::DriveKind;
using platform::ItemPick;

namespace {

std::vector<std::string> Entries(const Main& main) {
    std::vector<std::string> entries;
    for (int row = 0; row < main.LstFiles->count(); ++row)
        entries.push_back(main.LstFiles->path(row));
    return entries;
}

} // namespace

TEST_F(StartupTest, FirstRunFindsGameOnFixedDriveBehindSplash) {
    addDrive("usb", DriveKind::Removable);
    addDrive("c", DriveKind::Fixed);
    const std::string game = installGameOn("c", "Games/IronVale");
    installGameOn("usb", "copy");
    ShownWindows shown;

    window().Form_Load();

    EXPECT_EQ(shown.names, QStringList{"Splash"});
    EXPECT_EQ(window().Ironvaledirectory, game + "/");
    EXPECT_EQ(ReadBytes(settings()), "[Ironvale]\nDirectory=" + game + "\n");
    EXPECT_TRUE(boxes().empty());
    EXPECT_FALSE(window().SetupError);
    EXPECT_EQ(window().windowTitle(), "Tessaly");
    EXPECT_TRUE(window().installationdir.empty());
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

// Drives that note, when the search asks for them, what the user sees at that moment.
class WatchedDrives : public platform::DriveRoots {
public:
    std::vector<platform::Drive> drives() const override {
        splashPainted = painted.load();
        hourglass = main && main->cursor().shape() == Qt::WaitCursor;
        searchThread = std::this_thread::get_id();
        return list;
    }
    std::vector<platform::Drive> list;
    const Main* main = nullptr;
    std::atomic<bool> painted = false;
    mutable bool splashPainted = false;
    mutable bool hourglass = false;
    mutable std::thread::id searchThread;
};

class SplashPaints : public QObject {
public:
    explicit SplashPaints(std::atomic<bool>& painted) : painted_(painted) {
        qApp->installEventFilter(this);
    }
    ~SplashPaints() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == "Splash")
            painted_ = true;
        return false;
    }

private:
    std::atomic<bool>& painted_;
};

TEST_F(StartupTest, SplashIsPaintedAndHourglassShownBeforeTheSearchRunsOffTheWindowThread) {
    WatchedDrives drives;
    drives.list = {addDrive("c", DriveKind::Fixed)};
    installGameOn("c", "ironvale");
    SplashPaints paints(drives.painted);
    platform::Services services = fakes.services();
    Main main({services.boxes, services.sound, drives, services.chooser, services.launcher,
               services.programFolder});
    drives.main = &main;

    main.Form_Load();

    EXPECT_TRUE(drives.splashPainted);
    EXPECT_TRUE(drives.hourglass);
    EXPECT_NE(drives.searchThread, std::this_thread::get_id());
    EXPECT_EQ(main.cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(main.Ironvaledirectory.empty());
}

TEST_F(StartupTest, StartupCuePlaysFirstWithoutWaiting) {
    writeSettings("[Ironvale]\nDirectory=/games/ironvale\n");
    window().Form_Load();
    ASSERT_FALSE(fakes.sound.played.empty());
    EXPECT_EQ(fakes.sound.played.front(),
              std::pair((kit.path() / "appdata/audio/groovy.wav").string(), platform::Wait::No));
}

TEST_F(StartupTest, StoredGameFolderIsTrustedWithoutSearch) {
    addDrive("c", DriveKind::Fixed);
    installGameOn("c", "elsewhere");
    const std::string stored = "[Ironvale]\nDirectory=/games/gone\n";
    writeSettings(stored);
    ShownWindows shown;

    window().Form_Load();

    EXPECT_TRUE(shown.names.isEmpty());
    EXPECT_EQ(window().Ironvaledirectory, "/games/gone/");
    EXPECT_EQ(ReadBytes(settings()), stored);
    EXPECT_EQ(window().windowTitle(), "Tessaly");
}

TEST_F(StartupTest, StoredFolderEndingInSeparatorGetsNoSecondOne) {
    writeSettings("[Ironvale]\nDirectory=/games/ironvale/\n");
    window().Form_Load();
    EXPECT_EQ(window().Ironvaledirectory, "/games/ironvale/");
}

TEST_F(StartupTest, EmptyStoredFolderSearchesAndWritesBackIntoTheSameFile) {
    addDrive("c", DriveKind::Fixed);
    const std::string game = installGameOn("c", "ironvale");
    writeSettings("; kept\n[Ironvale]\nDirectory=\n[Armpatch]\nfile0=/nowhere.ivb\n");

    window().Form_Load();

    EXPECT_EQ(ReadBytes(settings()),
              "; kept\n[Ironvale]\nDirectory=" + game + "\n[Armpatch]\nfile0=/nowhere.ivb\n");
    EXPECT_EQ(window().Ironvaledirectory, game + "/");
}

TEST_F(StartupTest, RestoresListInOrderSkippingGapsAndDeletedFiles) {
    const auto first = disks.file("pics/first.ivb").string();
    const auto third = disks.file("pics/third.ivb").string();
    const auto beyond = disks.file("pics/beyond.ivb").string();
    const std::string text = "[Ironvale]\nDirectory=/g\n[Armpatch]\nfile0=" + first +
                             "\nfile2=" + third + "\nfile3=" + disks.str() +
                             "/pics/deleted.ivb\nfile4=\nfile20=" + beyond + "\n";
    writeSettings(text);

    window().Form_Load();

    EXPECT_EQ(Entries(window()), (std::vector{first, third}));
    EXPECT_EQ(window().cntr, 2);
    EXPECT_EQ(ReadBytes(settings()), text); // a skipped key stays
}

TEST_F(StartupTest, RestoresTwentyEntries) {
    std::string text = "[Ironvale]\nDirectory=/g\n[Armpatch]\n";
    for (int n = 0; n < 20; ++n)
        text += "file" + std::to_string(n) + "=" +
                disks.file("pics/p" + std::to_string(n) + ".ivb").string() + "\n";
    writeSettings(text);
    window().Form_Load();
    EXPECT_EQ(window().cntr, 20);
    EXPECT_EQ(window().LstFiles->count(), 20);
}

TEST_F(StartupTest, RestoresRememberedDriveAndFolder) {
    const auto usb = addDrive("usb", DriveKind::Removable).root;
    const auto folder = disks.folder("usb/pictures").string();
    disks.file("usb/pictures/eagle.ivb");
    writeSettings("[Browse For File]\nDefaultDrive=" + usb + "\nDefaultDirectory=" + folder +
                  "\n[Ironvale]\nDirectory=/g\n");

    window().Form_Load();

    EXPECT_EQ(window().DriveList->drive(), usb);
    EXPECT_EQ(window().DirList->path(), folder);
    EXPECT_EQ(window().FileList->path(), folder);
    EXPECT_EQ(window().windowTitle(), "Tessaly");
}

TEST_F(StartupTest, UnreachableRememberedFolderEndsStartupQuietly) {
    const auto pic = disks.file("pics/a.ivb").string();
    writeSettings("[Browse For File]\nDefaultDirectory=" + disks.str() +
                  "/deleted\n[Armpatch]\nfile0=" + pic + "\n[Ironvale]\nDirectory=/g\n");

    window().Form_Load();

    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(window().LstFiles->count(), 0);
    EXPECT_EQ(window().cntr, 0);
    EXPECT_TRUE(window().Ironvaledirectory.empty());
    EXPECT_EQ(window().PatternCombo->count(), 0);
    EXPECT_EQ(window().windowTitle(), "Orvik's Ironvale Loomwright");
    EXPECT_FALSE(window().isUnloaded());
    EXPECT_EQ(window().cursor().shape(), Qt::ArrowCursor);
}

TEST_F(StartupTest, UnknownRememberedDriveEndsStartupQuietly) {
    writeSettings("[Browse For File]\nDefaultDrive=/media/not-mounted\n[Ironvale]\nDirectory=/g\n");
    window().Form_Load();
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(window().PatternCombo->count(), 0);
    EXPECT_EQ(window().windowTitle(), "Orvik's Ironvale Loomwright");
}

// The drive is listed when the window is made and gone when start-up opens it, as a stick
// pulled out meanwhile: start-up ends as quietly as for any other unreachable position.
TEST_F(StartupTest, RememberedDriveThatNoLongerOpensEndsStartupQuietly) {
    const auto usb = addDrive("usb", DriveKind::Removable).root;
    const auto pic = disks.file("pics/a.ivb").string();
    writeSettings("[Browse For File]\nDefaultDrive=" + usb + "\n[Armpatch]\nfile0=" + pic +
                  "\n[Ironvale]\nDirectory=/g\n");
    Main& main = window();
    fs::remove(usb);

    main.Form_Load();

    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(main.LstFiles->count(), 0);
    EXPECT_EQ(main.PatternCombo->count(), 0);
    EXPECT_EQ(main.windowTitle(), "Orvik's Ironvale Loomwright");
    EXPECT_FALSE(main.isUnloaded());
}

TEST_F(StartupTest, TypeFilterStartsAtIvb) {
    writeSettings("[Ironvale]\nDirectory=/g\n");
    window().Form_Load();
    ASSERT_EQ(window().PatternCombo->count(), 9);
    EXPECT_EQ(window().PatternCombo->itemText(0), "Bitmaps (*.bmp)");
    EXPECT_EQ(window().PatternCombo->itemText(6), "Graphic (*.gif;*.jpg;*.ico;*.bmp;*.wmf;*.dib)");
    EXPECT_EQ(window().PatternCombo->itemText(8), "All Files (*.*)");
    EXPECT_EQ(window().PatternCombo->currentIndex(), 7);
    EXPECT_EQ(window().PatternCombo->currentText(), "IVB (*.ivb)");
}

TEST_F(StartupTest, FileListStartsWithIvbPattern) {
    const auto folder = disks.folder("pics").string();
    disks.file("pics/EAGLE.IVB");
    disks.file("pics/eagle.gif");
    writeSettings("[Browse For File]\nDefaultDirectory=" + folder + "\n[Ironvale]\nDirectory=/g\n");
    window().Form_Load();
    window().FileList->selectionModel()->select(window().FileList->model()->index(0, 0),
                                                QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(window().FileList->model()->rowCount(), 1);
    EXPECT_EQ(window().FileList->fileName(), "EAGLE.IVB");
}

TEST_F(StartupTest, CancelOnFirstQuestionSaysGoodbyeAndWritesNothing) {
    addDrive("c", DriveKind::Fixed);
    fakes.boxes.answers = {BoxAnswer::Cancel};

    window().Form_Load();

    EXPECT_EQ(boxes(), (std::vector{CouldNotFindQuestion(), Goodbye()}));
    EXPECT_TRUE(window().SetupError);
    EXPECT_TRUE(window().isUnloaded());
    EXPECT_FALSE(fs::exists(settings())); // so the next start is again a first run
    EXPECT_EQ(window().PatternCombo->count(), 0);
    EXPECT_TRUE(fakes.chooser.prompts.empty());
}

TEST_F(StartupTest, GameOnlyOnRemovableDriveIsNotFound) {
    addDrive("usb", DriveKind::Removable);
    installGameOn("usb", "ironvale");
    fakes.boxes.answers = {BoxAnswer::Cancel};
    window().Form_Load();
    EXPECT_EQ(boxes().front(), CouldNotFindQuestion());
}

TEST_F(StartupTest, GameLocatedByHandIsRecordedWithItsCase) {
    fakes.chooser.picks = {ItemPick::chosen("/Games/Iron Vale/Ironvale.exe")};
    window().Form_Load();
    EXPECT_EQ(boxes(), std::vector{CouldNotFindQuestion()});
    EXPECT_EQ(fakes.chooser.prompts, std::vector<std::string>{"Find and select Ironvale.exe"});
    EXPECT_EQ(fakes.chooser.nameFilters, std::vector<std::string>{"Ironvale.exe"});
    EXPECT_EQ(window().Ironvaledirectory, "/Games/Iron Vale/");
    EXPECT_EQ(ReadBytes(settings()), "[Ironvale]\nDirectory=/Games/Iron Vale\n");
    EXPECT_EQ(window().windowTitle(), "Tessaly");
}

TEST_F(StartupTest, GivingUpByHandOnFirstRunLeavesFileWithoutGameFolder) {
    fakes.boxes.answers = {BoxAnswer::Ok, BoxAnswer::Cancel};

    window().Form_Load();

    EXPECT_EQ(boxes(), (std::vector{CouldNotFindQuestion(), PleaseFindQuestion(), Goodbye()}));
    EXPECT_TRUE(window().SetupError);
    EXPECT_TRUE(window().isUnloaded());
    EXPECT_EQ(ReadBytes(settings()), "[Ironvale]\nDirectory=\n");

    // The next start is no first run, and searches again.
    addDrive("c", DriveKind::Fixed);
    const std::string game = installGameOn("c", "ironvale");
    FakeServices again;
    again.programFolder.folder = kit.str();
    again.drives = fakes.drives;
    Main next(again.services());
    next.Form_Load();
    EXPECT_TRUE(again.boxes.shown.empty());
    EXPECT_EQ(next.Ironvaledirectory, game + "/");
}

// A settings file that cannot be created: its folder is missing, or a named pipe or a device
// takes its place, which is never waited on.
TEST_F(StartupTest, SettingsFileThatCannotBeCreatedEndsSetup) {
    for (const std::string place : {"missing", "pipe", "device"}) {
        SCOPED_TRACE(place);
        const fs::path settings = kit.path() / place / "Tessaly.ini";
        std::optional<HeldPipe> pipe;
        if (place != "missing")
            fs::create_directory(settings.parent_path());
        if (place == "pipe")
            pipe.emplace(settings);
        if (place == "device")
            fs::create_symlink("/dev/null", settings);
        const fs::file_type kind = fs::symlink_status(settings).type();
        FakeServices local;
        local.programFolder.folder = settings.parent_path().string();
        local.chooser.picks = {ItemPick::chosen("/games/Ironvale.exe")};
        Main main(local.services());

        main.Form_Load();

        EXPECT_EQ(local.boxes.shown,
                  (std::vector{CouldNotFindQuestion(),
                               platform::BoxRequest{"Tessaly", "Error initiating setup",
                                                    platform::BoxIcon::Critical,
                                                    platform::BoxButtons::Ok}}));
        EXPECT_TRUE(main.SetupError);
        EXPECT_TRUE(main.isUnloaded());
        EXPECT_EQ(fs::exists(settings.parent_path()), place != "missing");
        EXPECT_EQ(fs::symlink_status(settings).type(), kind);
    }
}

TEST_F(StartupTest, GiveUpFlagAlreadySetSkipsEverythingButTheCue) {
    writeSettings("[Ironvale]\nDirectory=/g\n");
    window().SetupError = true;
    window().Form_Load();
    EXPECT_EQ(fakes.sound.played.size(), 1u);
    EXPECT_TRUE(window().Ironvaledirectory.empty());
    EXPECT_EQ(window().windowTitle(), "Orvik's Ironvale Loomwright");
}
