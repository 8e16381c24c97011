<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Wandelt Umlaute und Sonderzeichen in Textdateien in HTML-Entities um und zurück</source>
        <translation>Converts umlauts and special characters in text files to HTML entities and back</translation>
    </message>
    <message>
        <source>Menüleiste</source>
        <translation>Menu bar</translation>
    </message>
    <message>
        <source>Die Menüs Datei und Infos</source>
        <translation>The File and Info menus</translation>
    </message>
    <message>
        <source>Menü mit den Befehlen für Dateien und zum Beenden</source>
        <translation>Menu with the commands for files and to exit</translation>
    </message>
    <message>
        <source>Menü mit Lizenz, Spendenseite und Webseite</source>
        <translation>Menu with the licence, the donation page and the web site</translation>
    </message>
    <message>
        <source>Schritt 1</source>
        <translation>Step 1</translation>
    </message>
    <message>
        <source>Welche Dateien aufgenommen werden</source>
        <translation>Which files are taken in</translation>
    </message>
    <message>
        <source>Erklärung zu Schritt 1</source>
        <translation>Explanation of step 1</translation>
    </message>
    <message>
        <source>Überschrift der Endungsliste</source>
        <translation>Heading of the extension list</translation>
    </message>
    <message>
        <source>Löscht alle Endungen aus der Liste in Schritt 1</source>
        <translation>Deletes all extensions from the list in step 1</translation>
    </message>
    <message>
        <source>Löscht die gewählte Endung</source>
        <translation>Deletes the selected extension</translation>
    </message>
    <message>
        <source>Fügt der Liste eine neue Endung hinzu</source>
        <translation>Adds a new extension to the list</translation>
    </message>
    <message>
        <source>Endungen</source>
        <translation>Extensions</translation>
    </message>
    <message>
        <source>Nur Dateien mit einer angehakten Endung werden aufgenommen; die Leertaste hakt an oder ab</source>
        <translation>Only files with a checked extension are taken in; Space checks or unchecks</translation>
    </message>
    <message>
        <source>Schritt 2</source>
        <translation>Step 2</translation>
    </message>
    <message>
        <source>Die Dateien, die umgewandelt werden</source>
        <translation>The files to convert</translation>
    </message>
    <message>
        <source>Erklärung zu Schritt 2</source>
        <translation>Explanation of step 2</translation>
    </message>
    <message>
        <source>Löscht alle Dateien aus der Liste in Schritt 2</source>
        <translation>Deletes all files from the list in step 2</translation>
    </message>
    <message>
        <source>Löscht die gewählten Dateien aus der Liste</source>
        <translation>Deletes the selected files from the list</translation>
    </message>
    <message>
        <source>Dateiliste</source>
        <translation>File list</translation>
    </message>
    <message>
        <source>Die Dateien, die umgewandelt werden; Dateien und Ordner hierher ziehen</source>
        <translation>The files to convert; drag files and folders here</translation>
    </message>
    <message>
        <source>Schritt 3</source>
        <translation>Step 3</translation>
    </message>
    <message>
        <source>Das Umwandeln</source>
        <translation>The conversion</translation>
    </message>
    <message>
        <source>Überschrift der Optionen zum Umwandeln</source>
        <translation>Heading of the conversion options</translation>
    </message>
    <message>
        <source>Bewahrt von jeder Datei vor dem Umwandeln eine Kopie auf</source>
        <translation>Keeps a copy of each file before converting it</translation>
    </message>
    <message>
        <source>Wandelt Umlaute und Sonderzeichen aller Dateien der Liste in HTML-Entities um</source>
        <translation>Converts umlauts and special characters in all listed files to HTML entities</translation>
    </message>
    <message>
        <source>Wandelt HTML-Entities aller Dateien der Liste zurück in Umlaute und Sonderzeichen</source>
        <translation>Converts HTML entities in all listed files back to umlauts and special characters</translation>
    </message>
    <message>
        <source>Fortschritt</source>
        <translation>Progress</translation>
    </message>
    <message>
        <source>Wie weit das Umwandeln ist</source>
        <translation>How far the conversion has got</translation>
    </message>
    <message>
        <source>Statuszeile</source>
        <translation>Status line</translation>
    </message>
    <message>
        <source>Hinweise des Programms</source>
        <translation>The program&apos;s messages</translation>
    </message>
    <message>
        <source>Hinweis in der Statuszeile</source>
        <translation>Message in the status line</translation>
    </message>
    <message>
        <source>Die Lizenz des Programms</source>
        <translation>The program&apos;s licence</translation>
    </message>
    <message>
        <source>Lizenz</source>
        <translation>Licence</translation>
    </message>
    <message>
        <source>Der Lizenztext des Programms; Änderungen werden nicht gespeichert</source>
        <translation>The program&apos;s licence text; changes are not saved</translation>
    </message>
    <message>
        <source>Schließt das Fenster</source>
        <translation>Closes the window</translation>
    </message>
</context>
<context>
    <name>ConversionRunner</name>
    <message>
        <source>Fertig</source>
        <translation>Done</translation>
    </message>
</context>
<context>
    <name>Dialogs</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Bestätigen</source>
        <translation>Confirm</translation>
    </message>
    <message>
        <source>&amp;Ja</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>&amp;Nein</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>FailureText</name>
    <message>
        <source>Nicht umgewandelt:</source>
        <translation>Not converted:</translation>
    </message>
    <message>
        <source>
… und %1 weitere</source>
        <translation>
… and %1 more</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>&amp;Infos</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Copyright</source>
        <translation>&amp;Copyright</translation>
    </message>
    <message>
        <source>&amp;Spenden</source>
        <translation>&amp;Donate</translation>
    </message>
    <message>
        <source>&amp;Webseite besuchen</source>
        <translation>&amp;Visit website</translation>
    </message>
    <message>
        <source>Die Dateien werden in Schritt 2. per Drag und Drop in die Liste eingefügt. Hier können Sie eingrenzen welche Dateien aufgenommen werden sollen.</source>
        <translation>In step 2 the files are put into the list by drag and drop. Here you can narrow down which files are taken in.</translation>
    </message>
    <message>
        <source>Dateien mit folgender Endung annehmen:</source>
        <translation>Accept files with the following extensions:</translation>
    </message>
    <message>
        <source>- Liste löschen</source>
        <translation>- Clear list</translation>
    </message>
    <message>
        <source>- Eintrag löschen</source>
        <translation>- Delete entry</translation>
    </message>
    <message>
        <source>+ Eintrag hinzufügen</source>
        <translation>+ Add entry</translation>
    </message>
    <message>
        <source>Jetzt die Dateien per Drag &amp; Drop aus dem Explorer ziehen und über der Liste &quot;fallen lassen&quot;</source>
        <translation>Now drag the files from the file manager and &quot;drop&quot; them onto the list</translation>
    </message>
    <message>
        <source>Umwandeln mit folgenden Optionen:</source>
        <translation>Convert with the following options:</translation>
    </message>
    <message>
        <source>BackUp Dateien erstellen (*._backup_)</source>
        <translation>Create backup files (*._backup_)</translation>
    </message>
    <message>
        <source>Umlaute nach &lt;HTML&gt;</source>
        <translation>Umlauts to &lt;HTML&gt;</translation>
    </message>
    <message>
        <source>&lt;HTML&gt; nach Umlaute</source>
        <translation>&lt;HTML&gt; to umlauts</translation>
    </message>
    <message>
        <source>Glyphwright – Umlaute und HTML-Entities, freie Software (MIT-Lizenz)</source>
        <translation>Glyphwright – umlauts and HTML entities, free software (MIT licence)</translation>
    </message>
    <message>
        <source>Die gesamte Liste löschen?</source>
        <translation>Clear the whole list?</translation>
    </message>
    <message>
        <source>Neue Endung</source>
        <translation>New extension</translation>
    </message>
    <message>
        <source>Bitte die Endung eingeben (z.B. &quot;.PHP&quot;):</source>
        <translation>Please enter the extension (e.g. &quot;.PHP&quot;):</translation>
    </message>
    <message>
        <source>Dateien hinzufügen</source>
        <translation>Add files</translation>
    </message>
    <message>
        <source>Ordner hinzufügen</source>
        <translation>Add folder</translation>
    </message>
    <message>
        <source>Namen ohne Endung werden nie angenommen</source>
        <translation>names without an extension are never taken</translation>
    </message>
    <message>
        <source>Endung nicht markiert (%1 in Schritt 1 anhaken)</source>
        <translation>extension not ticked (tick %1 in step 1)</translation>
    </message>
    <message>
        <source>Endung fehlt (%1 in Schritt 1 eintragen)</source>
        <translation>extension missing (add %1 in step 1)</translation>
    </message>
    <message>
        <source>Keine Datei übernommen: %1</source>
        <translation>No file taken: %1</translation>
    </message>
    <message>
        <source>„%1“ nicht übernommen: %2</source>
        <translation>“%1” not taken: %2</translation>
    </message>
    <message>
        <source>„%1“ und %2 weitere nicht übernommen: %3</source>
        <translation>“%1” and %2 more not taken: %3</translation>
    </message>
    <message>
        <source>Aufruf: glyphwright [DATEI|ORDNER]...
Öffnet das Fenster, das Umlaute in Textdateien in HTML-Entities umwandelt
und zurück. Die genannten Dateien und Ordner kommen in die Liste wie beim
Ablegen auf dem Fenster: Ordner werden durchsucht, und es zählen die in
Schritt 1 markierten Endungen.

  -h, --help     diese Hilfe zeigen und beenden
      --version  die Version zeigen und beenden

Für Skripte: glyphwright-cli --help
</source>
        <translation>Usage: glyphwright [FILE|FOLDER]...
Opens the window that turns umlauts in text files into HTML entities and
back. The files and folders named go into the list as when dropped on the
window: folders are walked, and the extensions ticked in step 1 count.

  -h, --help     show this help and exit
      --version  show the version and exit

For scripts: glyphwright-cli --help
</translation>
    </message>
    <message>
        <source>glyphwright: unbekannte Option „%1“
Hilfe: glyphwright --help
</source>
        <translation>glyphwright: unknown option “%1”
Help: glyphwright --help
</translation>
    </message>
    <message>
        <source>Dateien &amp;hinzufügen…</source>
        <translation>&amp;Add files…</translation>
    </message>
    <message>
        <source>&amp;Ordner hinzufügen…</source>
        <translation>Add &amp;folder…</translation>
    </message>
</context>
<context>
    <name>TForm_Copyright</name>
    <message>
        <source>Copyright</source>
        <translation>Copyright</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
</context>
<context>
    <name>WebLinks</name>
    <message>
        <source>Die Webseite konnte nicht im Webbrowser geöffnet werden. Bitte kopieren Sie die Adresse und öffnen Sie sie selbst:</source>
        <translation>The web page could not be opened in a web browser. Please copy the address and open it yourself:</translation>
    </message>
</context>
</TS>
