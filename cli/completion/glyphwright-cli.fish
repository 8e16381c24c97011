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

set -l commands encode decode restore
complete -c glyphwright-cli -f
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from $commands" -a encode -d 'Sonderzeichen durch HTML-Entities ersetzen'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from $commands" -a decode -d 'HTML-Entities durch Zeichen ersetzen'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from $commands" -a restore -d 'Sicherungen zurückschreiben'
complete -c glyphwright-cli -n "__fish_seen_subcommand_from $commands" -F

complete -c glyphwright-cli -s e -l ext -x -a '(__glyphwright_cli_extensions)' -d 'Endungen für Ordner'
complete -c glyphwright-cli -l settings -r -F -d 'markierte Endungen dieser INI-Datei'
complete -c glyphwright-cli -s n -l dry-run -d 'nur auflisten, nichts ändern'
complete -c glyphwright-cli -s z -l null -d 'jeden Namen der Listen mit NUL beenden (für xargs -0)'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from restore" -l check -d 'auflisten, was die Umwandlung ändern würde'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from restore" -l no-backup -d 'keine Sicherungen schreiben'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from encode decode" -l keep -d 'restore: Sicherungen nicht löschen'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from restore" -l utf8 -d 'jede Datei als UTF-8 lesen'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from restore" -l cp1252 -d 'jede Datei als Windows-1252 lesen'
complete -c glyphwright-cli -n "not __fish_seen_subcommand_from restore" -l eol -x -a 'keep\t"jeden Zeilenumbruch lassen (Vorgabe)" crlf\t"CR LF nach jeder Zeile" lf\t"LF nach jeder Zeile"' -d 'Zeilenenden der Dateien'
complete -c glyphwright-cli -l sync -d 'jede neue Datei vor dem Umbenennen auf den Datenträger schreiben'
complete -c glyphwright-cli -s j -l jobs -x -a '1 (nproc 2>/dev/null)' -d 'so viele Dateien zugleich bearbeiten'
complete -c glyphwright-cli -s q -l quiet -d 'nur Fehler melden'
complete -c glyphwright-cli -s h -l help -d 'Hilfe zeigen'
complete -c glyphwright-cli -l version -d 'Versionsnummer zeigen'
complete -c glyphwright-cli -l list-ext -d 'Endungen der Einstellungen auflisten'
