# fish completion for glyphwright-cli

# The entries of the window's extension list, in lower case (--ext and
# --settings exclude each other), each after the pieces of the comma-separated
# list already typed.
function __glyphwright_cli_extensions
    set -l done (string replace -r -- '^(--ext=|-e)?(.*,)?[^,]*$' '$2' (commandline -ct))
    set -l command (commandline -opc)[1]
    command -q $command; or return
    for entry in ($command --list-ext 2>/dev/null | string lower)
        echo $done$entry
    end
end

# Whether the tool speaks English here, chosen as it chooses at start: German
# under the C locale (the first of LC_ALL, LC_MESSAGES and LANG that is set, or
# none); else the first language of LANGUAGE that is de or en, English for a
# list of others only; else the locale's language, de German and others English.
function __glyphwright_cli_english
    set -l locale "$LC_ALL"
    test -n "$locale"; or set locale "$LC_MESSAGES"
    test -n "$locale"; or set locale "$LANG"
    set -l language (string replace -r '[_.@].*' '' -- "$locale")
    if test -z "$locale"; or contains -- "$language" C POSIX
        return 1
    end
    for entry in (string split : -- "$LANGUAGE" | string replace -r '[_.@].*' '')
        switch $entry
            case de en
                set language $entry
                break
            case ''
            case '*'
                set language en
        end
    end
    test "$language" != de
end

# complete for glyphwright-cli, its description given in German and then in
# English as the last two arguments: the one in the tool's language is offered,
# chosen at each completion (several -n conditions need fish 3.5).
function __glyphwright_cli_complete
    complete -c glyphwright-cli -n 'not __glyphwright_cli_english' $argv[1..-2]
    complete -c glyphwright-cli -n __glyphwright_cli_english $argv[1..-3] $argv[-1]
end

set -l commands encode decode restore
complete -c glyphwright-cli -f
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from $commands" -a encode -d 'Sonderzeichen durch HTML-Entities ersetzen' 'replace special characters by HTML entities'
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from $commands" -a decode -d 'HTML-Entities durch Zeichen ersetzen' 'replace HTML entities by characters'
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from $commands" -a restore -d 'Sicherungen zurückschreiben' 'write backups back'
complete -c glyphwright-cli -n "__fish_seen_subcommand_from $commands" -F

__glyphwright_cli_complete -s e -l ext -x -a '(__glyphwright_cli_extensions)' -d 'Endungen für Ordner' 'extensions for folders'
__glyphwright_cli_complete -l settings -r -F -d 'markierte Endungen dieser INI-Datei' 'marked extensions of this INI file'
__glyphwright_cli_complete -s n -l dry-run -d 'nur auflisten, nichts ändern' 'only list, change nothing'
__glyphwright_cli_complete -s z -l null -d 'jeden Namen der Listen mit NUL beenden (für xargs -0)' 'end each name in the lists with NUL (for xargs -0)'
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from restore" -l check -d 'auflisten, was die Umwandlung ändern würde' 'list what the conversion would change'
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from restore" -l no-backup -d 'keine Sicherungen schreiben' 'write no backups'
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from encode decode" -l keep -d 'restore: Sicherungen nicht löschen' 'restore: do not delete the backups'
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from restore" -l utf8 -d 'jede Datei als UTF-8 lesen' 'read each file as UTF-8'
__glyphwright_cli_complete -n "not __fish_seen_subcommand_from restore" -l cp1252 -d 'jede Datei als Windows-1252 lesen' 'read each file as Windows-1252'
complete -c glyphwright-cli -n 'not __glyphwright_cli_english' -n "not __fish_seen_subcommand_from restore" -l eol -x -a 'keep\t"jeden Zeilenumbruch lassen (Vorgabe)" crlf\t"CR LF nach jeder Zeile" lf\t"LF nach jeder Zeile"' -d 'Zeilenenden der Dateien'
complete -c glyphwright-cli -n __glyphwright_cli_english -n "not __fish_seen_subcommand_from restore" -l eol -x -a 'keep\t"leave each line break as it is (default)" crlf\t"CR LF after each line" lf\t"LF after each line"' -d 'line ends of the files'
__glyphwright_cli_complete -l sync -d 'jede neue Datei vor dem Umbenennen auf den Datenträger schreiben' 'have each new file written to disk before the rename'
__glyphwright_cli_complete -s j -l jobs -x -a '1 (nproc 2>/dev/null)' -d 'so viele Dateien zugleich bearbeiten' 'work on that many files at once'
__glyphwright_cli_complete -s q -l quiet -d 'nur Fehler melden' 'report only failures'
__glyphwright_cli_complete -s h -l help -d 'Hilfe zeigen' 'show the help'
__glyphwright_cli_complete -l version -d 'Versionsnummer zeigen' 'show the version number'
__glyphwright_cli_complete -l list-ext -d 'Endungen der Einstellungen auflisten' 'list the extensions of the settings'
