#include "Arguments.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <filesystem>

namespace tallyfold {

namespace fs = std::filesystem;

Start ReadArguments(const platform::Arguments& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Renames every file in a folder to a label and a number.");
    parser.addPositionalArgument("folder", "The folder to rename in, chosen at start.", "[folder]");
    const QCommandLineOption undo(
        "undo", "Undo the last renaming in the folder (the current one when none is given), "
                "without opening the window.");
    parser.addOption(undo);
    const platform::CommandLineRequest request =
        platform::ReadCommandLine(parser, 1, arguments, out, err);
    if (request.exitStatus)
        return {request.exitStatus, {}};
    const bool undoing = parser.isSet(undo);
    if (request.positional.empty() && !undoing)
        return {};

    // The folder dialog hands back a full path; so does this, whatever the working folder.
    std::error_code error;
    const std::string given = request.positional.empty() ? "." : request.positional.front();
    const fs::path folder =
        request.positional.empty() ? fs::current_path(error) : fs::absolute(given, error);
    if (error || !fs::is_directory(folder, error)) {
        err << QCoreApplication::applicationName().toStdString() << ": '" << given
            << "' is not a folder.\n";
        return {platform::MisuseStatus, {}};
    }
    return {std::nullopt, folder.lexically_normal().native(), undoing};
}

} // namespace tallyfold
