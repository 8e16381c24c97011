#include "cli/CommandLine.h"

#include "files/collect/IsAcceptedFile.h"
#include "wording/Catalog.h"

#include <algorithm>
#include <getopt.h>

namespace glyphwright::cli {

namespace {

using wording::Format;
using wording::Tr;

// Options without a letter get codes above every character.
enum LongOnly : int {
    kSettings = 256,
    kCheck,
    kNoBackup,
    kKeep,
    kUtf8,
    kCp1252,
    kSync,
    kVersion,
    kListExt,
    kEol,
};

const option kLongOptions[] = {
    {"ext", required_argument, nullptr, 'e'},
    {"jobs", required_argument, nullptr, 'j'},
    {"settings", required_argument, nullptr, kSettings},
    {"dry-run", no_argument, nullptr, 'n'},
    {"check", no_argument, nullptr, kCheck},
    {"no-backup", no_argument, nullptr, kNoBackup},
    {"keep", no_argument, nullptr, kKeep},
    {"utf8", no_argument, nullptr, kUtf8},
    {"cp1252", no_argument, nullptr, kCp1252},
    {"sync", no_argument, nullptr, kSync},
    {"eol", required_argument, nullptr, kEol},
    {"quiet", no_argument, nullptr, 'q'},
    {"null", no_argument, nullptr, 'z'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, kVersion},
    {"list-ext", no_argument, nullptr, kListExt},
    {nullptr, 0, nullptr, 0},
};

// "-": every argument comes back in order, a non-option as code 1, whatever
// POSIXLY_CORRECT says, so that the command may stand anywhere. ":": a
// missing value comes back as ':', and getopt prints nothing itself.
constexpr char kShortOptions[] = "-:e:j:nqzh";

std::string Quoted(std::string_view text) {
    // TRANSLATORS: an option, a command or a value as the user typed it.
    return Format(Tr("„%s“"), {text});
}

// "„--a“ und „--b“ schließen einander aus".
std::string Exclusive(std::string_view one, std::string_view other) {
    return Format(Tr("%s und %s schließen einander aus"), {Quoted(one), Quoted(other)});
}

const option* OptionWithCode(int code) {
    for (const option* entry = kLongOptions; entry->name != nullptr; ++entry) {
        if (entry->val == code) {
            return entry;
        }
    }
    return nullptr;
}

std::string LongName(const option& entry) {
    return std::string("--") + entry.name;
}

// The option as the user called it: by its letter when the argument was the
// short form, else by its full long name, whatever prefix was typed.
std::string CalledName(int code, std::string_view argument) {
    const option* entry = OptionWithCode(code);
    if (entry != nullptr && argument.rfind("--", 0) == 0) {
        return LongName(*entry);
    }
    return std::string("-") + static_cast<char>(code);
}

// Why getopt refused a long option: no name starts with it, or several do.
std::string UnknownLongOption(std::string_view argument) {
    const std::string_view typed = argument.substr(0, argument.find('='));
    const std::string_view prefix = typed.substr(2);
    std::string candidates;
    for (const option* entry = kLongOptions; entry->name != nullptr; ++entry) {
        if (std::string_view(entry->name).rfind(prefix, 0) == 0) {
            candidates += (candidates.empty() ? "" : ", ") + LongName(*entry);
        }
    }
    if (candidates.find(',') != std::string::npos) {
        return Format(Tr("Option %s ist nicht eindeutig (%s)"), {Quoted(typed), candidates});
    }
    return Format(Tr("unbekannte Option %s"), {Quoted(typed)});
}

class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) {
        // getopt reorders nothing here ("-"), but wants mutable pointers.
        storage_.emplace_back("glyphwright-cli");
        storage_.insert(storage_.end(), arguments.begin(), arguments.end());
        for (std::string& argument : storage_) {
            argv_.push_back(argument.data());
        }
        argv_.push_back(nullptr);
    }

    Invocation Parse() {
        Options();
        // Help, version and the extension list (asked for by shell completion
        // halfway through a line) win over every mistake, wherever they stand;
        // only not from a bundle after an unknown letter, which is not read.
        if (shown_) {
            invocation_.action = *shown_;
            return invocation_;
        }
        if (firstError_) {
            throw UsageError(*firstError_);
        }
        TakeStandardInput();
        Check();
        return invocation_;
    }

private:
    void Options() {
        const int argc = static_cast<int>(argv_.size()) - 1;
        optind = 0; // glibc: start afresh, also after an earlier parse
        opterr = 0;
        int code;
        int longIndex = -1; // set by getopt when a long option was taken
        // The argument getopt takes the next option from: optind moves on only
        // once the last letter of a bundle is taken.
        int from = 1;
        int spoiltBundle = 0; // the bundle with an unknown letter, if any
        while ((code = getopt_long(argc, argv_.data(), kShortOptions, kLongOptions, &longIndex)) !=
               -1) {
            calledLong_ = longIndex >= 0;
            longIndex = -1;
            const int taken = from;
            from = optind;
            // The letters after an unknown one are no options: "-dash.htm" is
            // a name, its "h" no call for help.
            if (taken == spoiltBundle) {
                continue;
            }
            // The argument just taken; for a bundle of letters, the whole bundle.
            const std::string_view last = argv_[optind > 0 ? optind - 1 : 0];
            switch (code) {
            case 1:
                Positional(optarg);
                break;
            case ':':
                Fail(
                    Format(Tr("Option %s braucht einen Wert"), {Quoted(CalledName(optopt, last))}));
                break;
            case '?':
                if (optopt != 0 && OptionWithCode(optopt) == nullptr) {
                    spoiltBundle = taken;
                }
                Refused(last);
                break;
            default:
                Option(code, optarg != nullptr ? optarg : "");
            }
        }
        // After "--": paths only.
        for (int i = optind; i < argc; ++i) {
            Positional(argv_[i]);
        }
    }

    void Refused(std::string_view last) {
        if (optopt == 0) {
            Fail(UnknownLongOption(last));
        } else if (OptionWithCode(optopt) != nullptr) {
            // A known option refuses only a value given with "=".
            Fail(Format(Tr("Option %s nimmt keinen Wert"),
                        {Quoted(LongName(*OptionWithCode(optopt)))}));
        } else {
            Fail(Format(Tr("unbekannte Option %s"),
                        {Quoted(std::string("-") + static_cast<char>(optopt))}));
        }
    }

    void Option(int code, const std::string& value) {
        switch (code) {
        case 'e':
            AddExtensions(value);
            break;
        case kSettings:
            SetSettingsFile(value);
            break;
        case 'j':
            SetJobs(code, value);
            break;
        case 'n':
            invocation_.dryRun = true;
            break;
        case kCheck:
            invocation_.check = true;
            break;
        case kNoBackup:
            invocation_.backup = false;
            noBackupGiven_ = true;
            break;
        case kKeep:
            invocation_.keep = true;
            break;
        case kUtf8:
            SetCharset(CharsetRule::Utf8);
            break;
        case kCp1252:
            SetCharset(CharsetRule::Windows1252);
            break;
        case kSync:
            invocation_.sync = true;
            break;
        case kEol:
            eolGiven_ = true;
            SetLineEnds(value);
            break;
        case 'q':
            invocation_.quiet = true;
            break;
        case 'z':
            invocation_.nullEnded = true;
            break;
        case 'h':
            shown_ = shown_.value_or(Invocation::Action::Help);
            break;
        case kVersion:
            shown_ = shown_.value_or(Invocation::Action::Version);
            break;
        case kListExt:
            shown_ = shown_.value_or(Invocation::Action::ListExtensions);
            break;
        }
    }

    void Positional(const std::string& argument) {
        if (commandSeen_) {
            invocation_.paths.push_back(argument);
            return;
        }
        commandSeen_ = true;
        if (argument == "encode") {
            invocation_.direction = Direction::Encode;
        } else if (argument == "decode") {
            invocation_.direction = Direction::Decode;
        } else if (argument == "restore") {
            invocation_.action = Invocation::Action::Restore;
        } else {
            Fail(Format(Tr("unbekannter Befehl %s (erwartet: encode, decode oder restore)"),
                        {Quoted(argument)}));
        }
    }

    void Fail(std::string message) {
        if (!firstError_) {
            firstError_ = std::move(message);
        }
    }

    void AddExtensions(std::string_view value) {
        if (!invocation_.extensions) {
            invocation_.extensions.emplace();
        }
        for (std::string& entry : ParseExtensionOption(value)) {
            invocation_.extensions->push_back(std::move(entry));
        }
    }

    void SetCharset(CharsetRule rule) {
        if (invocation_.charset != CharsetRule::PerFile && invocation_.charset != rule) {
            Fail(Exclusive("--utf8", "--cp1252"));
        }
        invocation_.charset = rule;
    }

    // A positive whole number in decimal digits, nothing else; beyond
    // kMaxJobs it is kMaxJobs, however many digits it has.
    void SetJobs(int code, std::string_view value) {
        const bool digitsOnly =
            !value.empty() && value.find_first_not_of("0123456789") == std::string_view::npos;
        if (!digitsOnly || value.find_first_not_of('0') == std::string_view::npos) {
            const std::string name = calledLong_ ? LongName(*OptionWithCode(code))
                                                 : std::string("-") + static_cast<char>(code);
            Fail(Format(Tr("Option %s braucht eine positive ganze Zahl, nicht %s"),
                        {Quoted(name), Quoted(value)}));
            return;
        }
        std::size_t jobs = 0;
        for (const char digit : value) {
            jobs = std::min(jobs * 10 + static_cast<std::size_t>(digit - '0'), kMaxJobs);
        }
        invocation_.jobs = jobs;
    }

    void SetLineEnds(std::string_view value) {
        if (value == "keep") {
            invocation_.lineEnds = LineEnds::Keep;
        } else if (value == "crlf") {
            invocation_.lineEnds = LineEnds::CrLf;
        } else if (value == "lf") {
            invocation_.lineEnds = LineEnds::Lf;
        } else {
            Fail(Format(Tr("Option %s braucht keep, crlf oder lf, nicht %s"),
                        {Quoted("--eol"), Quoted(value)}));
        }
    }

    void SetSettingsFile(const std::string& path) {
        if (path.empty()) {
            Fail(Format(Tr("Option %s braucht einen Dateinamen"), {Quoted("--settings")}));
        }
        invocation_.settingsFile = path;
    }

    // "-" as the one path is standard input, as no path is; after "--" too,
    // as for cat. Among other paths there would be no single output for it.
    void TakeStandardInput() {
        std::vector<std::string>& paths = invocation_.paths;
        if (std::find(paths.begin(), paths.end(), "-") == paths.end()) {
            return;
        }
        if (paths.size() != 1) {
            throw UsageError(
                Format(Tr("%s steht für die Standardeingabe und muss der einzige Pfad sein"),
                       {Quoted("-")}));
        }
        paths.clear();
    }

    void Check() const {
        if (!commandSeen_) {
            throw UsageError(std::string(Tr("Befehl fehlt: encode, decode oder restore")));
        }
        if (invocation_.extensions && invocation_.settingsFile) {
            throw UsageError(Exclusive("--ext", "--settings"));
        }
        if (invocation_.check && invocation_.dryRun) {
            throw UsageError(Exclusive("--check", "--dry-run"));
        }
        if (invocation_.action == Invocation::Action::Restore) {
            CheckRestore();
        } else if (invocation_.keep) {
            throw UsageError(Format(Tr("%s gilt nur für restore"), {Quoted("--keep")}));
        }
        if (invocation_.paths.empty()) {
            const auto needsPath = [](std::string_view option) {
                return UsageError(
                    Format(Tr("%s braucht eine Datei oder einen Ordner"), {Quoted(option)}));
            };
            if (invocation_.dryRun) {
                throw needsPath("--dry-run");
            }
            if (invocation_.check) {
                throw needsPath("--check");
            }
            if (invocation_.extensions || invocation_.settingsFile) {
                throw UsageError(Format(Tr("%s und %s gelten für Ordner; es ist kein Pfad genannt"),
                                        {Quoted("--ext"), Quoted("--settings")}));
            }
        }
    }

    // Restore neither converts nor writes backups, and has no stream to filter;
    // it puts back what the backup holds, line ends and all.
    void CheckRestore() const {
        const auto notForRestore = [](std::string_view option) {
            return UsageError(Format(Tr("%s gilt nicht für restore"), {Quoted(option)}));
        };
        if (invocation_.check) {
            throw notForRestore("--check");
        }
        if (noBackupGiven_) {
            throw notForRestore("--no-backup");
        }
        if (eolGiven_) {
            throw notForRestore("--eol");
        }
        if (invocation_.charset == CharsetRule::Utf8) {
            throw notForRestore("--utf8");
        }
        if (invocation_.charset == CharsetRule::Windows1252) {
            throw notForRestore("--cp1252");
        }
        if (invocation_.paths.empty()) {
            throw UsageError(Format(Tr("%s braucht eine Datei oder einen Ordner"),
                                    {std::string_view("restore")}));
        }
    }

    std::vector<std::string> storage_;
    std::vector<char*> argv_;
    bool commandSeen_ = false;
    bool calledLong_ = false; // the option at hand was given by its long name
    bool noBackupGiven_ = false;
    bool eolGiven_ = false;
    std::optional<Invocation::Action> shown_; // the first of help, version and list-ext
    std::optional<std::string> firstError_;
    Invocation invocation_;
};

} // namespace

Invocation ParseCommandLine(const std::vector<std::string>& arguments) {
    return Parser(arguments).Parse();
}

std::vector<std::string> ParseExtensionOption(std::string_view value) {
    std::vector<std::string> entries;
    while (true) {
        const std::size_t comma = value.find(',');
        const std::string_view piece = value.substr(0, comma);
        if (!piece.empty()) {
            entries.push_back(TypedExtension(piece));
        }
        if (comma == std::string_view::npos) {
            return entries;
        }
        value.remove_prefix(comma + 1);
    }
}

std::optional<Encoding> StreamEncoding(const Invocation& invocation) {
    switch (invocation.charset) {
    case CharsetRule::Utf8:
        return Encoding::Utf8;
    case CharsetRule::Windows1252:
        return Encoding::Windows1252;
    case CharsetRule::PerFile:
        break;
    }
    return std::nullopt;
}

std::string VersionText() {
    return "glyphwright-cli " GLYPHWRIGHT_VERSION "\n";
}

} // namespace glyphwright::cli
