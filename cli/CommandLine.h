// The arguments of glyphwright-cli: what to do, in which direction, on which
// files and folders, with which filter.
#pragma once

#include "files/text/CharsetChoice.h"
#include "files/text/Conversion.h"

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace glyphwright::cli {

enum class Direction { Encode, Decode };

// How the bytes of a stream stand for characters.
enum class Encoding { Windows1252, Utf8 };

struct Invocation {
    enum class Action { Convert, Restore, Help, Version, ListExtensions };
    Action action = Action::Convert;
    Direction direction = Direction::Encode; // of Convert
    // Files: each by its own bytes unless --utf8 or --cp1252 says otherwise.
    CharsetRule charset = CharsetRule::PerFile;
    bool backup = true;
    // The tool keeps each file's own line ends; --eol crlf gives the window's form.
    LineEnds lineEnds = LineEnds::Keep;
    bool nullEnded = false; // -z: each listed name ends with NUL instead of a line break
    bool dryRun = false;    // list what would be taken, change nothing
    bool check = false;     // list the files a conversion would change, change nothing
    bool keep = false;      // restore: leave the backups in place
    bool quiet = false;
    bool sync = false; // each new file durable before its rename, each folder once after
    // -j: how many workers convert, check or restore at the same time; 0: as
    // many as there are online CPUs (WorkersFor).
    std::size_t jobs = 0;
    // The extensions of --ext, already in the form of the list (".HTM");
    // none: take the marked entries of the settings file.
    std::optional<std::vector<std::string>> extensions;
    std::optional<std::string> settingsFile; // --settings
    std::vector<std::string> paths;          // none ("-"): standard input to standard output
};

// More workers than this would only queue up on the disk and the kernel's
// locks; a larger -j counts as this.
inline constexpr std::size_t kMaxJobs = 64;

// A call the tool cannot run; the message says why, in German.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name the GNU way (getopt_long).
// "--help" and "--version" win wherever they stand, "-h" in a bundle only when
// every letter before it is known; "--" ends the options, so
// that a path may begin with "-". A path "-" alone is standard input, as no
// path is, and a usage error beside other paths. The command and the options may come in any
// order. Long options may be cut to any unique prefix ("--no-back") and take
// their value as "--ext=.htm" or "--ext .htm"; short flags may be bundled
// ("-nq"), and "-e" and "-j" take the rest of their argument or the next.
Invocation ParseCommandLine(const std::vector<std::string>& arguments);

// One --ext value: split at ",", empty pieces left out, each piece made an
// entry by TypedExtension, as the window's add button makes one.
std::vector<std::string> ParseExtensionOption(std::string_view value);

// The set --utf8 or --cp1252 forces on a stream; none: its bytes decide.
std::optional<Encoding> StreamEncoding(const Invocation& invocation);

std::string HelpText();
std::string VersionText();

} // namespace glyphwright::cli
