// The arguments of glyphwright-cli: what to do, in which direction, on which files.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace glyphwright::cli {

enum class Direction { Encode, Decode };

struct Invocation {
    enum class Action { Convert, Help, Version };
    Action action = Action::Convert;
    Direction direction = Direction::Encode;
    bool backup = true;
    std::vector<std::string> files; // none: standard input to standard output
};

// A call the tool cannot run; the message says why, in German.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. "--help" and "--version" win
// wherever they stand; "--" ends the options, so that a file may begin with "-".
Invocation ParseCommandLine(const std::vector<std::string>& arguments);

std::string HelpText();
std::string VersionText();

} // namespace glyphwright::cli
