#include "platform/QtItemChooser.h"

#include "support/ItemPickPrinter.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using platform::ItemPick;

namespace {

// Does `act` to the chooser's dialog as soon as it is open and waiting for the user.
void WhenTheDialogOpens(const std::function<void(QFileDialog&)>& act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            act(*dialog);
        }
    });
    poll->start(10);
}

QString Shown(const std::string& bytes) {
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

TEST(QtItemChooser, HandsBackThePickedItemByTheBytesOfItsName) {
    const TempDir folder;
    const std::string game = folder.file("Ironvale.exe", "MZ").string();
    WhenTheDialogOpens([&](QFileDialog& dialog) {
        dialog.selectFile(Shown(game));
        static_cast<QDialog&>(dialog).accept(); // as the Open button does
    });
    EXPECT_EQ(platform::QtItemChooser().chooseItem("Find", "*"), ItemPick::chosen(game));
}

// Makes `folder` the user's home folder for the scope of the object.
class HomeFolder {
public:
    explicit HomeFolder(const std::string& folder) : previous_(qgetenv("HOME")) {
        qputenv("HOME", QByteArray::fromStdString(folder));
    }
    ~HomeFolder() { qputenv("HOME", previous_); }

private:
    QByteArray previous_;
};

TEST(QtItemChooser, OpensInTheHomeFolderWithTheGivenNameFirstThenAllFiles) {
    const TempDir home;
    const HomeFolder user(home.str());
    std::string folder;
    std::vector<std::string> filters;
    std::string selected;
    WhenTheDialogOpens([&](QFileDialog& dialog) {
        folder = dialog.directory().absolutePath().toStdString();
        for (const QString& filter : dialog.nameFilters())
            filters.push_back(filter.toStdString());
        selected = dialog.selectedNameFilter().toStdString();
        dialog.reject();
    });

    platform::QtItemChooser().chooseItem("Find and select Ironvale.exe", "Ironvale.exe");

    EXPECT_EQ(folder, home.str());
    EXPECT_EQ(filters, (std::vector<std::string>{"Ironvale.exe", "All Files (*)"}));
    EXPECT_EQ(selected, "Ironvale.exe");
}

TEST(QtItemChooser, CancelPicksNothing) {
    WhenTheDialogOpens([](QFileDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(platform::QtItemChooser().chooseItem("Find", "*"), ItemPick::cancelled());
}

// A name that is not UTF-8 comes back from the dialog changed. The dialog of Qt's own refuses
// to close on such a pick, a desktop's dialog does not, and this stands for the latter.
TEST(QtItemChooser, RefusesAPickWhoseNameCameBackChanged) {
    const TempDir folder;
    const std::string picked = folder.file("caf\xE9.exe", "MZ").string();
    const std::string shown = QFile::encodeName(Shown(picked)).toStdString();
    ASSERT_NE(shown, picked);
    WhenTheDialogOpens([&](QFileDialog& dialog) {
        dialog.selectFile(Shown(picked));
        static_cast<QDialog&>(dialog).done(QDialog::Accepted);
    });
    EXPECT_EQ(platform::QtItemChooser().chooseItem("Find", "*"), ItemPick::nameLost(shown));
}

} // namespace
