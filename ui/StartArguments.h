// The window program's command line: glyphwright [OPTION]... [FILE|FOLDER]...
// The files and folders named are taken in as a drop would take them.
#pragma once

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace glyphwright::ui {

struct StartRequest {
    enum class Kind { Window, Help, Version, UnknownOption };
    Kind kind = Kind::Window;
    // For the window: the paths named, in their order and bytes, relative
    // ones made absolute against the current folder.
    std::vector<std::string> paths = {};
    std::string unknownOption = {}; // the first one, as typed
};

// arguments: those after the program's name, as argv holds them once Qt has
// taken its own (-platform, -style ...) out. "--help" or "-h", then
// "--version", before "--" wins over everything else; "--" ends the options,
// so that later arguments are paths even when they start with "-"; "-" alone
// is a path.
StartRequest ParseStartArguments(const std::vector<std::string>& arguments,
                                 std::string_view currentFolder);

std::vector<std::string> ArgumentsOf(int argc, char** argv);

// The process's current folder, empty when it cannot be told.
std::string CurrentFolder();

// In the language the application's translator gives.
QString StartHelpText();
QString StartVersionText();
QString UnknownOptionText(const std::string& option);

// Prints what help, version or an unknown option calls for, on standard
// output or (the unknown option) standard error, and returns the exit status:
// 0, or 2 for an unknown option.
int AnswerWithoutWindow(const StartRequest& request);

} // namespace glyphwright::ui
