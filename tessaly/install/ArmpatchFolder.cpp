#include "RenumberFolder.h"
#include "ShellFileRequest.h"
#include "tessaly/Main.h"
#include "tessaly/common/BusyPointer.h"

#include <QCoreApplication>
#include <filesystem>

namespace fs = std::filesystem;

// The old pictures go to the trash, where the user can take them back; whatever stops that is
// left to show itself when the folder is made again.
void Main::EmptyArmpatchFolder() {
    const BusyPointer busy(*this);
    std::string folder = installationdir;
    if (!folder.empty() && folder.back() == '/')
        folder.pop_back();
    RunShellFileRequest(TrashFolderRequest(folder), services_.boxes);
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

// One level only: a folder that is already there counts as a failure too, which tells the user
// that the old pictures could not be taken away. The copies make whatever is missing.
void Main::makeArmpatchFolder() {
    std::error_code error;
    if (!fs::create_directory(installationdir, error))
        box("Error creating '" + installationdir, platform::BoxIcon::Critical);
}

bool Main::copyIntoArmpatchFolder(const std::string& file) {
    return RunShellFileRequest(CopyIntoFolderRequest(file, installationdir), services_.boxes)
        .succeeded();
}

// The caption is drawn before each copy; what the user does meanwhile waits for the end.
void Main::showProgress(const QString& caption) {
    setWindowTitle(caption);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
