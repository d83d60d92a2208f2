#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

class QCommandLineParser;

namespace platform {

// A command line, the program's name first: bytes, as the names of files are, which need not be
// UTF-8.
using Arguments = std::vector<std::string>;

// What a program's command line asks: to end at once with `exitStatus`, or to start with the
// positional arguments, each the very bytes it was given as.
struct CommandLineRequest {
    std::optional<int> exitStatus;
    Arguments positional;
};

// The status of a command line the program cannot follow, as the shells' own tools use it.
inline constexpr int MisuseStatus = 2;

// Reads `arguments`, the program's name first, against `parser`, which already knows the
// program's positional arguments, of which at most `mostPositional` are taken; --help and
// --version are added here. The help and the version go to `out`; a misuse goes to `err`.
CommandLineRequest ReadCommandLine(QCommandLineParser& parser, std::size_t mostPositional,
                                   const Arguments& arguments, std::ostream& out,
                                   std::ostream& err);

// The arguments as the program received them, before any application object exists: telling
// the help and the version needs no display.
Arguments ArgumentsOf(int argc, char* argv[]);

} // namespace platform
