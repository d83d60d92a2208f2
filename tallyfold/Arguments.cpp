#include "Arguments.h"

#include "platform/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <filesystem>

namespace tallyfold {

namespace fs = std::filesystem;

Start ReadArguments(const QStringList& arguments, std::ostream& out, std::ostream& err) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Renames every file in a folder to a label and a number.");
    parser.addPositionalArgument("folder", "The folder to rename in, chosen at start.", "[folder]");
    const platform::CommandLineRequest request =
        platform::ReadCommandLine(parser, 1, arguments, out, err);
    if (request.exitStatus || request.positional.isEmpty())
        return {request.exitStatus, {}};

    // The folder dialog hands back a full path; so does this, whatever the working folder.
    std::error_code error;
    const fs::path folder =
        fs::absolute(QFile::encodeName(request.positional.first()).toStdString(), error);
    if (error || !fs::is_directory(folder, error)) {
        err << QCoreApplication::applicationName().toStdString() << ": '"
            << request.positional.first().toStdString() << "' is not a folder.\n";
        return {platform::MisuseStatus, {}};
    }
    return {std::nullopt, folder.lexically_normal().native()};
}

} // namespace tallyfold
