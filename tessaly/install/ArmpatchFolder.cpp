#include "ArmpatchChange.h"
#include "RenumberFolder.h"
#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"

#include <QCoreApplication>
#include <QScopeGuard>
#include <filesystem>

namespace fs = std::filesystem;

// Install's and Defaults' change of the armpatch folder: the old pictures go, then `fill` puts
// the new ones in, all while the game folder's lock is held; it is let go before the command's
// last box. false when the command stopped before its end (another Tessaly at work, nowhere for
// the old pictures to go, `fill` stopping), after saying why.
bool Main::changeArmpatchFolder(ArmpatchCommand command, const std::function<bool()>& fill) {
    ArmpatchChange change(Ironvaledirectory);
    if (saysBusy(change))
        return false;
    change_ = &change;
    const auto done = qScopeGuard([this] { change_ = nullptr; });
    return EmptyArmpatchFolder(command) && fill();
}

bool Main::saysBusy(const ArmpatchChange& change) {
    if (change.busy())
        box("Another Tessaly is changing the folder " + installationdir +
                ". Try again once it has finished.",
            platform::BoxIcon::Warning);
    return change.busy();
}

// The old pictures go where Undo can take them back from: to the trash, or, when it refuses
// them, to a folder set aside beside theirs. false when they can go nowhere: then nothing has
// changed, and the command stops before its first copy.
bool Main::EmptyArmpatchFolder(ArmpatchCommand command) {
    const BusyPointer busy(*this);
    return change_ != nullptr && change_->clearFolder(command, services_.boxes);
}

// A failed rename leaves the file as it was and asks whether to go on; any other failure ends
// the pass with its own description. A folder that is not there holds nothing to rename.
void Main::RenumberFiles(const std::string& prefix) {
    const BusyPointer busy(*this);
    std::error_code error;
    if (!fs::is_directory(installationdir, error))
        return;
    try {
        RenumberFolder(installationdir, prefix,
                       [this](const std::string& oldPath, const std::string& newPath) {
                           return box(RenameErrorQuestion(oldPath, newPath, Placement::Prefix),
                                      platform::BoxIcon::Warning,
                                      platform::BoxButtons::YesNo) == platform::BoxAnswer::Yes;
                       });
    } catch (const std::exception& failure) {
        box(failure.what(), platform::BoxIcon::Critical);
    }
}

// One level only: the game's data folder must be there already. The copies make whatever is
// missing.
void Main::makeArmpatchFolder() {
    std::error_code error;
    if (!fs::create_directory(installationdir, error))
        box("Error creating '" + installationdir, platform::BoxIcon::Critical);
}

bool Main::copyIntoArmpatchFolder(const std::string& file) {
    return change_ != nullptr && change_->copyIn(file, services_.boxes);
}

bool Main::nameArmpatchCopies() {
    return change_ != nullptr && change_->nameCopies(services_.boxes);
}

// The caption is drawn before each copy; what the user does meanwhile waits for the end.
void Main::showProgress(const QString& caption) {
    setWindowTitle(caption);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
