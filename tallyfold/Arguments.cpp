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
    const platform::CommandLineRequest request =
        platform::ReadCommandLine(parser, 1, arguments, out, err);
    if (request.exitStatus || request.positional.empty())
        return {request.exitStatus, {}};

    // The folder dialog hands back a full path; so does this, whatever the working folder.
    std::error_code error;
    const fs::path folder = fs::absolute(request.positional.front(), error);
    if (error || !fs::is_directory(folder, error)) {
        err << QCoreApplication::applicationName().toStdString() << ": '"
            << request.positional.front() << "' is not a folder.\n";
        return {platform::MisuseStatus, {}};
    }
    return {std::nullopt, folder.lexically_normal().native()};
}

} // namespace tallyfold
