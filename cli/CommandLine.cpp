#include "CommandLine.h"

namespace glyphwright::cli {

namespace {

bool IsOption(const std::string& argument) {
    return argument.size() > 1 && argument[0] == '-';
}

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

    bool commandSeen = false;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
        } else if (!optionsEnded && IsOption(argument)) {
            if (argument != "--no-backup") {
                throw UsageError("unbekannte Option „" + argument + "“");
            }
            invocation.backup = false;
        } else if (!commandSeen) {
            if (argument == "encode") {
                invocation.direction = Direction::Encode;
            } else if (argument == "decode") {
                invocation.direction = Direction::Decode;
            } else {
                throw UsageError("unbekannter Befehl „" + argument +
                                 "“ (erwartet: encode oder decode)");
            }
            commandSeen = true;
        } else {
            invocation.files.push_back(argument);
        }
    }
    if (!commandSeen) {
        throw UsageError("Befehl fehlt: encode oder decode");
    }
    return invocation;
}

std::string HelpText() {
    return "Aufruf: glyphwright-cli encode|decode [--no-backup] [DATEI...]\n"
           "\n"
           "encode  ersetzt Sonderzeichen (Windows-1252, Bytes ab 128) durch\n"
           "        HTML-Entities, z. B. ä durch &auml;\n"
           "decode  ersetzt die bekannten HTML-Entities wieder durch Zeichen\n"
           "\n"
           "Ohne DATEI wird die Standardeingabe umgewandelt und auf die\n"
           "Standardausgabe geschrieben; die Zeilenenden bleiben, wie sie sind.\n"
           "\n"
           "Jede genannte DATEI wird der Reihe nach an Ort und Stelle umgewandelt,\n"
           "ihre Zeilenenden werden CR LF. Vorher wird eine Sicherung\n"
           "DATEI._backup_ geschrieben. Schlägt eine Datei fehl, geht es mit der\n"
           "nächsten weiter.\n"
           "\n"
           "Optionen:\n"
           "  --no-backup  keine Sicherungsdateien schreiben\n"
           "  --help       diese Hilfe zeigen\n"
           "  --version    die Versionsnummer zeigen\n"
           "  --           alles Folgende sind Dateinamen\n"
           "\n"
           "Rückgabewert: 0, wenn alles umgewandelt wurde; 1, wenn eine Datei\n"
           "fehlschlug; 2 bei einem falschen Aufruf.\n";
}

std::string VersionText() {
    return "glyphwright-cli " GLYPHWRIGHT_VERSION "\n";
}

} // namespace glyphwright::cli
