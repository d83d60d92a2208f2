#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <span>

namespace platform {

namespace {

int Misuse(const QString& program, const QString& problem, std::ostream& err) {
    err << program.toStdString() << ": " << problem.toStdString() << "\nTry '"
        << program.toStdString() << " --help' for more information.\n";
    return MisuseStatus;
}

// Qt's parser reads text, in which a name that is not UTF-8 has lost bytes. Each positional
// argument it found is matched, in order, to the argument it was decoded from.
Arguments AsGiven(const QStringList& positional, const QStringList& texts,
                  const Arguments& arguments) {
    Arguments given;
    qsizetype next = 1;
    for (const QString& text : positional) {
        while (next < texts.size() && texts.at(next) != text)
            ++next;
        given.push_back(next < texts.size() ? arguments.at(static_cast<std::size_t>(next++))
                                            : QFile::encodeName(text).toStdString());
    }
    return given;
}

} // namespace

CommandLineRequest ReadCommandLine(QCommandLineParser& parser, std::size_t mostPositional,
                                   const Arguments& arguments, std::ostream& out,
                                   std::ostream& err) {
    // Qt's own help option would offer --help-all, for Qt's options, which are read by no one
    // here: the command line is read before the application object exists.
    const QCommandLineOption help({"h", "help"}, "Displays this help.");
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    const QString program = QCoreApplication::applicationName();
    QStringList texts;
    for (const std::string& argument : arguments)
        texts.append(QFile::decodeName(QByteArray::fromStdString(argument)));
    if (!parser.parse(texts))
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
    if (static_cast<std::size_t>(positional.size()) > mostPositional)
        return {Misuse(program,
                       "Unexpected argument '" +
                           positional.at(static_cast<qsizetype>(mostPositional)) + "'.",
                       err),
                {}};
    return {std::nullopt, AsGiven(positional, texts, arguments)};
}

Arguments ArgumentsOf(int argc, char* argv[]) {
    const auto given = std::span(argv, static_cast<std::size_t>(argc));
    return {given.begin(), given.end()};
}

} // namespace platform
