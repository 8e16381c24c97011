#include "cli/CommandLine.h"

#include "files/IsAcceptedFile.h"

namespace glyphwright::cli {

namespace {

bool IsOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

std::string Quoted(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// Walks the arguments once, keeping the position for options that take the next one.
class Parser {
public:
    explicit Parser(const std::vector<std::string>& arguments) : arguments_(arguments) {}

    Invocation Parse() {
        for (; next_ < arguments_.size(); ++next_) {
            const std::string& argument = arguments_[next_];
            if (!optionsEnded_ && argument == "--") {
                optionsEnded_ = true;
            } else if (!optionsEnded_ && argument.rfind("--", 0) == 0) {
                LongOption(argument);
            } else if (!optionsEnded_ && IsOption(argument)) {
                ShortOptions(argument);
            } else if (!commandSeen_) {
                Command(argument);
            } else {
                invocation_.paths.push_back(argument);
            }
        }
        Check();
        return invocation_;
    }

private:
    void LongOption(const std::string& argument) {
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        std::optional<std::string> value;
        if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        }
        if (name == "--ext" || name == "--settings") {
            const std::string given = value ? *value : NextValue(name);
            name == "--ext" ? AddExtensions(given) : SetSettingsFile(given);
            return;
        }
        if (value) {
            throw UsageError("Option " + Quoted(name) + " nimmt keinen Wert");
        }
        if (name == "--no-backup") {
            invocation_.backup = false;
        } else if (name == "--dry-run") {
            invocation_.dryRun = true;
        } else if (name == "--quiet") {
            invocation_.quiet = true;
        } else if (name == "--utf8") {
            SetCharset(CharsetRule::Utf8);
        } else if (name == "--cp1252") {
            SetCharset(CharsetRule::Windows1252);
        } else if (name == "--sync") {
            invocation_.sync = true;
        } else {
            throw UsageError("unbekannte Option " + Quoted(argument));
        }
    }

    void ShortOptions(const std::string& argument) {
        for (std::size_t at = 1; at < argument.size(); ++at) {
            switch (argument[at]) {
            case 'n':
                invocation_.dryRun = true;
                break;
            case 'q':
                invocation_.quiet = true;
                break;
            case 'e':
                AddExtensions(at + 1 < argument.size() ? argument.substr(at + 1) : NextValue("-e"));
                return;
            default:
                throw UsageError("unbekannte Option " + Quoted(std::string("-") + argument[at]));
            }
        }
    }

    void Command(const std::string& argument) {
        if (argument == "encode") {
            invocation_.direction = Direction::Encode;
        } else if (argument == "decode") {
            invocation_.direction = Direction::Decode;
        } else {
            throw UsageError("unbekannter Befehl " + Quoted(argument) +
                             " (erwartet: encode oder decode)");
        }
        commandSeen_ = true;
    }

    std::string NextValue(const std::string& option) {
        if (next_ + 1 >= arguments_.size()) {
            throw UsageError("Option " + Quoted(option) + " braucht einen Wert");
        }
        return arguments_[++next_];
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
            throw UsageError("„--utf8“ und „--cp1252“ schließen einander aus");
        }
        invocation_.charset = rule;
    }

    void SetSettingsFile(const std::string& path) {
        if (path.empty()) {
            throw UsageError("Option „--settings“ braucht einen Dateinamen");
        }
        invocation_.settingsFile = path;
    }

    void Check() const {
        if (!commandSeen_) {
            throw UsageError("Befehl fehlt: encode oder decode");
        }
        if (invocation_.extensions && invocation_.settingsFile) {
            throw UsageError("„--ext“ und „--settings“ schließen einander aus");
        }
        if (invocation_.paths.empty()) {
            if (invocation_.dryRun) {
                throw UsageError("„--dry-run“ braucht eine Datei oder einen Ordner");
            }
            if (invocation_.extensions || invocation_.settingsFile) {
                throw UsageError(
                    "„--ext“ und „--settings“ gelten für Ordner; es ist kein Pfad genannt");
            }
        }
    }

    const std::vector<std::string>& arguments_;
    std::size_t next_ = 0;
    bool optionsEnded_ = false;
    bool commandSeen_ = false;
    Invocation invocation_;
};

} // namespace

Invocation ParseCommandLine(const std::vector<std::string>& arguments) {
    Invocation invocation;
    for (const std::string& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            invocation.action = Invocation::Action::Help;
            return invocation;
        }
        if (argument == "--version") {
            invocation.action = Invocation::Action::Version;
            return invocation;
        }
        if (argument == "--") {
            break;
        }
    }
    return Parser(arguments).Parse();
}

std::vector<std::string> ParseExtensionOption(std::string_view value) {
    std::vector<std::string> entries;
    while (true) {
        const std::size_t comma = value.find(',');
        const std::string_view piece = value.substr(0, comma);
        if (!piece.empty()) {
            std::string entry = UpperCaseAToZ(piece);
            if (entry.front() != '.') {
                entry.insert(entry.begin(), '.');
            }
            entries.push_back(std::move(entry));
        }
        if (comma == std::string_view::npos) {
            return entries;
        }
        value.remove_prefix(comma + 1);
    }
}

Encoding StreamEncoding(const Invocation& invocation) {
    return invocation.charset == CharsetRule::Utf8 ? Encoding::Utf8 : Encoding::Windows1252;
}

std::string HelpText() {
    return "Aufruf: glyphwright-cli encode|decode [OPTION]... [PFAD]...\n"
           "\n"
           "encode  ersetzt Sonderzeichen (ä, ß, é, ©, ½ …) durch HTML-Entities,\n"
           "        z. B. ä durch &auml;\n"
           "decode  ersetzt die bekannten HTML-Entities wieder durch Zeichen\n"
           "\n"
           "Jeder PFAD, der eine Datei ist, wird umgewandelt, wie auch immer er\n"
           "endet. Ein Ordner wird mit allen Unterordnern durchsucht, in derselben\n"
           "Reihenfolge wie beim Ablegen auf dem Fenster; genommen werden die\n"
           "Dateien mit einer Endung aus --ext oder, ohne --ext, mit einer im\n"
           "Fenster markierten Endung. Die Dateien werden an Ort und Stelle\n"
           "umgewandelt, ihre Zeilenenden werden CR LF; vorher wird eine Sicherung\n"
           "DATEI._backup_ geschrieben. Schlägt eine Datei fehl, geht es mit der\n"
           "nächsten weiter.\n"
           "\n"
           "Jede Datei wird in ihrem eigenen Zeichensatz gelesen: UTF-8, wenn sie\n"
           "mit der UTF-8-Markierung (BOM) beginnt oder als Ganzes gültiges UTF-8\n"
           "mit Sonderzeichen ist; eine Datei nur aus ASCII-Zeichen, wenn sie in\n"
           "den ersten 1024 Bytes UTF-8 erklärt (<meta charset=\"utf-8\"> oder\n"
           "<?xml ... encoding=\"utf-8\"?>); sonst Windows-1252.\n"
           "\n"
           "Ohne PFAD wird die Standardeingabe umgewandelt und auf die\n"
           "Standardausgabe geschrieben; die Zeilenenden bleiben, wie sie sind.\n"
           "Die Eingabe gilt dann als Windows-1252, außer mit --utf8.\n"
           "\n"
           "Optionen:\n"
           "  -e, --ext LISTE      Endungen für Ordner, durch Kommas getrennt, z. B.\n"
           "                       --ext .htm,.html (php gilt als .PHP; Groß- und\n"
           "                       Kleinschreibung zählen nicht)\n"
           "      --settings DATEI die markierten Endungen dieser INI-Datei nehmen\n"
           "                       statt der Einstellungen des Fensters\n"
           "  -n, --dry-run        nur die Dateien auflisten, die umgewandelt würden,\n"
           "                       eine je Zeile; nichts ändern\n"
           "      --no-backup      keine Sicherungsdateien schreiben\n"
           "      --utf8           jede Datei als UTF-8 lesen; eine Datei, die kein\n"
           "                       gültiges UTF-8 ist, bleibt unverändert\n"
           "      --cp1252         jede Datei als Windows-1252 lesen, wie sie auch\n"
           "                       beschaffen ist\n"
           "      --sync           jede neue Datei vor dem Umbenennen und jeden Ordner\n"
           "                       danach auf die Platte schreiben lassen, damit auch\n"
           "                       ein Stromausfall keine leere Datei hinterlässt\n"
           "  -q, --quiet          nur Fehler melden, keinen Fortschritt und keine\n"
           "                       Zusammenfassung\n"
           "  -h, --help           diese Hilfe zeigen\n"
           "      --version        die Versionsnummer zeigen\n"
           "      --               alles Folgende sind Pfade\n"
           "\n"
           "Beispiele:\n"
           "  glyphwright-cli encode --ext .htm,.html public_html\n"
           "  glyphwright-cli decode --utf8 --no-backup index.html impressum.html\n"
           "  glyphwright-cli encode -n -e php www\n"
           "  glyphwright-cli encode --settings site.ini www\n"
           "  glyphwright-cli decode --utf8 < seite.html > seite-neu.html\n"
           "\n"
           "Auf einem Terminal zeigt eine Zeile den Fortschritt und am Ende eine\n"
           "Zusammenfassung; sonst werden nur Fehler gemeldet.\n"
           "\n"
           "Rückgabewert: 0, wenn alles umgewandelt wurde; 1, wenn eine Datei\n"
           "fehlschlug oder ein PFAD nicht gefunden wurde; 2 bei einem falschen\n"
           "Aufruf oder wenn für einen Ordner keine Endung markiert ist; 128 + die\n"
           "Nummer des Signals, wenn SIGINT, SIGTERM oder SIGHUP den Lauf zwischen\n"
           "zwei Dateien beendet hat.\n";
}

std::string VersionText() {
    return "glyphwright-cli " GLYPHWRIGHT_VERSION "\n";
}

} // namespace glyphwright::cli
