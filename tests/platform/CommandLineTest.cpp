#include "platform/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <gtest/gtest.h>
#include <sstream>

namespace {

std::string Joined(const platform::Arguments& arguments) {
    std::string line;
    for (const std::string& argument : arguments)
        line += argument + ' ';
    return line;
}

struct Outcome {
    platform::CommandLineRequest request;
    std::string out;
    std::string err;
};

Outcome Read(const platform::Arguments& arguments) {
    QCoreApplication::setApplicationVersion("9.8");
    QCommandLineParser parser;
    parser.addPositionalArgument("folder", "A folder.", "[folder]");
    std::ostringstream out;
    std::ostringstream err;
    auto request = platform::ReadCommandLine(parser, 1, arguments, out, err);
    return {request, out.str(), err.str()};
}

TEST(ReadCommandLine, AnswersHelpAndVersionOnStdoutAndRefusesMisuseWithStatusTwo) {
    const std::string program = QCoreApplication::applicationName().toStdString();
    struct Case {
        platform::Arguments arguments;
        std::optional<int> status;
        std::string outStarts;
        std::string errHas;
    };
    const Case cases[] = {
        {{"p"}, std::nullopt, "", ""},
        {{"p", "--help"}, 0, "Usage: ", ""},
        {{"p", "-h"}, 0, "Usage: ", ""},
        {{"p", "--version"}, 0, program + " 9.8\n", ""},
        {{"p", "-v", "--bogus"}, 2, "", "Unknown option 'bogus'"},
        {{"p", "--bogus"}, 2, "", "Unknown option 'bogus'"},
        {{"p", "-x"}, 2, "", "Unknown option 'x'"},
        {{"p", "one", "two"}, 2, "", "Unexpected argument 'two'"},
    };
    for (const Case& c : cases) {
        const Outcome outcome = Read(c.arguments);
        const std::string line = Joined(c.arguments);
        EXPECT_EQ(outcome.request.exitStatus, c.status) << line;
        EXPECT_EQ(outcome.out.substr(0, c.outStarts.size()), c.outStarts) << line;
        EXPECT_EQ(outcome.out.empty(), c.outStarts.empty()) << line;
        EXPECT_NE(outcome.err.find(c.errHas), std::string::npos) << line << ": " << outcome.err;
        EXPECT_EQ(outcome.err.empty(), c.errHas.empty()) << line;
        if (!c.errHas.empty()) {
            EXPECT_NE(outcome.err.find(program + " --help"), std::string::npos) << line;
        }
    }
}

TEST(ReadCommandLine, HandsOverThePositionalArgumentsOfARunThatGoesOn) {
    using platform::Arguments;
    EXPECT_EQ(Read({"p", "/some/folder"}).request.positional, Arguments{"/some/folder"});
    EXPECT_EQ(Read({"p", "--", "--help"}).request.positional, Arguments{"--help"});
    // Bytes that are not UTF-8 would come back from Qt's text as replacement characters.
    EXPECT_EQ(Read({"p", "/x/caf\xE9"}).request.positional, Arguments{"/x/caf\xE9"});
    EXPECT_EQ(Read({"p", "--", "\xFF"}).request.positional, Arguments{"\xFF"});
}

} // namespace
