#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <span>

namespace platform {

namespace {

int Misuse(const QString& program, const QString& problem, std::ostream& err) {
    err << program.toStdString() << ": " << problem.toStdString() << "\nTry '"
        << program.toStdString() << " --help' for more information.\n";
    return MisuseStatus;
}

} // namespace

CommandLineRequest ReadCommandLine(QCommandLineParser& parser, qsizetype mostPositional,
                                   const QStringList& arguments, std::ostream& out,
                                   std::ostream& err) {
    // Qt's own help option would offer --help-all, for Qt's options, which are read by no one
    // here: the command line is read before the application object exists.
    const QCommandLineOption help({"h", "help"}, "Displays this help.");
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QString program = QCoreApplication::applicationName();
    if (!parser.parse(arguments))
        return {Misuse(program, parser.errorText(), err), {}};
    if (parser.isSet(help)) {
        // Without an application object, Qt names the program by a placeholder.
        out << parser.helpText().replace("<executable_name>", program).toStdString();
        return {0, {}};
    }
    if (parser.isSet(version)) {
        out << program.toStdString() << ' ' << QCoreApplication::applicationVersion().toStdString()
            << '\n';
        return {0, {}};
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > mostPositional)
        return {
            Misuse(program, "Unexpected argument '" + positional.at(mostPositional) + "'.", err),
            {}};
    return {std::nullopt, positional};
}

QStringList ArgumentsOf(int argc, char* argv[]) {
    QStringList arguments;
    for (const char* argument : std::span(argv, static_cast<std::size_t>(argc)))
        arguments.append(QString::fromLocal8Bit(argument));
    return arguments;
}

} // namespace platform
