<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ErrorText</name>
    <message>
        <source>Unbalanced parenthesis</source>
        <translation>Unausgeglichene Klammer</translation>
    </message>
    <message>
        <source>Missing closing bracket</source>
        <translation>Schließende eckige Klammer fehlt</translation>
    </message>
    <message>
        <source>Unknown escape sequence</source>
        <translation>Unbekannte Escape-Sequenz</translation>
    </message>
    <message>
        <source>Invalid Unicode property</source>
        <translation>Ungültige Unicode-Eigenschaft</translation>
    </message>
    <message>
        <source>Syntax error</source>
        <translation>Syntaxfehler</translation>
    </message>
    <message>
        <source>Invalid {min,max} repetition</source>
        <translation>Ungültige Wiederholung {min,max}</translation>
    </message>
    <message>
        <source>Repetition maximum is less than its minimum</source>
        <translation>Das Maximum der Wiederholung ist kleiner als ihr Minimum</translation>
    </message>
    <message>
        <source>Number too large</source>
        <translation>Zahl zu groß</translation>
    </message>
    <message>
        <source>Reference to a group that does not exist</source>
        <translation>Verweis auf eine nicht vorhandene Gruppe</translation>
    </message>
    <message>
        <source>Invalid match option</source>
        <translation>Ungültige Suchoption</translation>
    </message>
    <message>
        <source>Look-behind must have a bounded length</source>
        <translation>Ein Lookbehind muss eine begrenzte Länge haben</translation>
    </message>
    <message>
        <source>Character class cannot contain a string</source>
        <translation>Eine Zeichenklasse kann keine Zeichenkette enthalten</translation>
    </message>
    <message>
        <source>Invalid character range</source>
        <translation>Ungültiger Zeichenbereich</translation>
    </message>
    <message>
        <source>Octal value too large</source>
        <translation>Oktalwert zu groß</translation>
    </message>
    <message>
        <source>Invalid group name</source>
        <translation>Ungültiger Gruppenname</translation>
    </message>
    <message>
        <source>Pattern too large</source>
        <translation>Muster zu groß</translation>
    </message>
    <message>
        <source>Unsupported construct</source>
        <translation>Nicht unterstütztes Konstrukt</translation>
    </message>
    <message>
        <source>Replacement ends with a backslash</source>
        <translation>Die Ersetzung endet mit einem umgekehrten Schrägstrich</translation>
    </message>
    <message>
        <source>Dollar sign without a group (write \$ for a dollar sign)</source>
        <translation>Dollarzeichen ohne Gruppe (schreiben Sie \$ für ein Dollarzeichen)</translation>
    </message>
    <message>
        <source>Missing closing brace</source>
        <translation>Schließende geschweifte Klammer fehlt</translation>
    </message>
    <message>
        <source>Invalid replacement</source>
        <translation>Ungültige Ersetzung</translation>
    </message>
    <message>
        <source>Invalid regular expression</source>
        <translation>Ungültiger regulärer Ausdruck</translation>
    </message>
    <message>
        <source>, </source>
        <comment>between names in a list</comment>
        <translation>, </translation>
    </message>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <comment>names, then how many are not listed</comment>
        <translation>
            <numerusform>%1 und %n weiteres</numerusform>
            <numerusform>%1 und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>These items kept their names: %1</source>
        <translation>Diese Objekte haben ihren Namen behalten: %1</translation>
    </message>
    <message>
        <source>Choose a destination outside the selected item.</source>
        <translation>Wählen Sie ein Ziel außerhalb des ausgewählten Objekts.</translation>
    </message>
    <message>
        <source>The item changed while it was being moved. Nothing was changed.</source>
        <translation>Das Objekt wurde während des Verschiebens verändert. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>The item has been removed or replaced since the operation. Nothing was changed.</source>
        <translation>Das Objekt wurde seit dem Vorgang entfernt oder ersetzt. Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>This folder still contains items. Move them out before undoing folder creation.</source>
        <translation>Dieser Ordner enthält noch Objekte. Verschieben Sie sie heraus, bevor Sie das Erstellen des Ordners rückgängig machen.</translation>
    </message>
    <message>
        <source>There is no trash on this item’s volume that can take it.</source>
        <translation>Auf dem Datenträger dieses Objekts gibt es keinen Papierkorb, der es aufnehmen kann.</translation>
    </message>
    <message>
        <source>The archive could not be created. %1</source>
        <translation>Das Archiv konnte nicht erstellt werden. %1</translation>
    </message>
    <message>
        <source>Not a valid name: %1</source>
        <translation>Kein gültiger Name: %1</translation>
    </message>
    <message>
        <source>Two items would get the same name: %1</source>
        <translation>Zwei Objekte würden denselben Namen erhalten: %1</translation>
    </message>
    <message>
        <source>Items in the trash can’t be renamed together.</source>
        <translation>Objekte im Papierkorb können nicht gemeinsam umbenannt werden.</translation>
    </message>
    <message>
        <source>The item could not be given back its name and is now called %1</source>
        <translation>Das Objekt konnte seinen Namen nicht zurückerhalten und heißt jetzt %1</translation>
    </message>
    <message>
        <source>%1 A partial copy could not be removed and remains at “%2” (%3).</source>
        <comment>the failure, then where a partial copy remains and why</comment>
        <translation>%1 Eine unvollständige Kopie konnte nicht entfernt werden und liegt weiterhin unter „%2“ (%3).</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <comment>an item&apos;s name, then why it failed</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>This folder cannot be read. Choose an accessible folder.</source>
        <translation>Dieser Ordner kann nicht gelesen werden. Wählen Sie einen zugänglichen Ordner.</translation>
    </message>
    <message>
        <source>Could not enumerate this folder.</source>
        <translation>Der Inhalt dieses Ordners konnte nicht aufgelistet werden.</translation>
    </message>
    <message>
        <source>%1 at position %2</source>
        <comment>what is wrong with a pattern, then where</comment>
        <translation>%1 an Position %2</translation>
    </message>
    <message>
        <source>Unchanged</source>
        <comment>a name a batch rename leaves as it is</comment>
        <translation>Unverändert</translation>
    </message>
    <message>
        <source>Renamed</source>
        <comment>a name a batch rename changes</comment>
        <translation>Umbenannt</translation>
    </message>
    <message>
        <source>The new name is empty</source>
        <translation>Der neue Name ist leer</translation>
    </message>
    <message>
        <source>The new name can’t be “.” or “..”</source>
        <translation>Der neue Name darf nicht „.“ oder „..“ sein</translation>
    </message>
    <message>
        <source>The new name can’t contain “/” or a NUL character</source>
        <translation>Der neue Name darf weder „/“ noch ein NUL-Zeichen enthalten</translation>
    </message>
    <message>
        <source>The new name is longer than the file system allows</source>
        <translation>Der neue Name ist länger, als das Dateisystem erlaubt</translation>
    </message>
    <message>
        <source>An item with this name already exists in the folder</source>
        <translation>Im Ordner gibt es bereits ein Objekt mit diesem Namen</translation>
    </message>
    <message>
        <source>Another selected item gets the same name</source>
        <translation>Ein anderes ausgewähltes Objekt erhält denselben Namen</translation>
    </message>
    <message>
        <source>The pattern took too long on this name</source>
        <translation>Das Muster hat für diesen Namen zu lange gebraucht</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>Other…</source>
        <translation>Andere…</translation>
    </message>
    <message>
        <source>Reveal in File Manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>tooltip: a command&apos;s title and its shortcut</comment>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>qb::ApplicationChooser</name>
    <message>
        <source>Open With</source>
        <translation>Öffnen mit</translation>
    </message>
    <message>
        <source>Filter applications</source>
        <translation>Anwendungen filtern</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Anwendungen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>qb::Applications</name>
    <message>
        <source>The application could not start.</source>
        <translation>Die Anwendung konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The application “%1” could not be found.</source>
        <translation>Die Anwendung „%1“ wurde nicht gefunden.</translation>
    </message>
</context>
<context>
    <name>qb::Commands</name>
    <message>
        <source>Choose Search Folder…</source>
        <translation>Suchordner wählen…</translation>
    </message>
    <message>
        <source>Save Search…</source>
        <translation>Suche speichern…</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Find…</source>
        <translation>Suchen…</translation>
    </message>
    <message>
        <source>Run Search</source>
        <translation>Suche starten</translation>
    </message>
    <message>
        <source>Stop Search</source>
        <translation>Suche anhalten</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Einstellungen…</translation>
    </message>
    <message>
        <source>Quillbrook Help</source>
        <translation>Quillbrook-Hilfe</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Quick Look</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Reveal in File Manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Copy Items</source>
        <translation>Objekte kopieren</translation>
    </message>
    <message>
        <source>Copy Paths</source>
        <translation>Pfade kopieren</translation>
    </message>
    <message>
        <source>Get Info</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Undo Rename</source>
        <translation>Umbenennen rückgängig machen</translation>
    </message>
    <message>
        <source>Undo File Operation</source>
        <translation>Dateivorgang rückgängig machen</translation>
    </message>
    <message>
        <source>Redo Rename</source>
        <translation>Umbenennen wiederholen</translation>
    </message>
    <message>
        <source>Copy Item</source>
        <translation>Objekt kopieren</translation>
    </message>
    <message>
        <source>Copy Path</source>
        <translation>Pfad kopieren</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Results</source>
        <translation>&amp;Ergebnisse</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
</context>
<context>
    <name>qb::DesktopServices</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>qb::EmptyState</name>
    <message>
        <source>PDF files</source>
        <translation>PDF-Dateien</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Clear Filters</source>
        <translation>Filter zurücksetzen</translation>
    </message>
    <message>
        <source>Edit Pattern</source>
        <translation>Muster bearbeiten</translation>
    </message>
    <message>
        <source>Searching %1…</source>
        <translation>%1 wird durchsucht…</translation>
    </message>
    <message>
        <source>Matches appear as they’re found.</source>
        <translation>Treffer erscheinen, sobald sie gefunden werden.</translation>
    </message>
    <message>
        <source>Find exactly the files you need</source>
        <translation>Finden Sie genau die Dateien, die Sie brauchen</translation>
    </message>
    <message>
        <source>Enter a pattern above, then press Return.</source>
        <translation>Geben Sie oben ein Muster ein und drücken Sie die Eingabetaste.</translation>
    </message>
    <message>
        <source>Search stopped</source>
        <translation>Suche angehalten</translation>
    </message>
    <message>
        <source>Change the pattern or search again when you’re ready.</source>
        <translation>Ändern Sie das Muster oder suchen Sie erneut, wenn Sie so weit sind.</translation>
    </message>
    <message>
        <source>No matches with these filters</source>
        <translation>Keine Treffer mit diesen Filtern</translation>
    </message>
    <message>
        <source>Search unavailable</source>
        <translation>Suche nicht möglich</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
    <message>
        <source>Try a broader pattern, another folder, or include subfolders.</source>
        <translation>Versuchen Sie ein allgemeineres Muster oder einen anderen Ordner, oder beziehen Sie Unterordner ein.</translation>
    </message>
</context>
<context>
    <name>qb::ExampleButton</name>
    <message>
        <source>Use this pattern</source>
        <translation>Dieses Muster verwenden</translation>
    </message>
</context>
<context>
    <name>qb::FileActionMenu</name>
    <message>
        <source>Move to…</source>
        <translation>Verschieben nach…</translation>
    </message>
    <message>
        <source>Copy to…</source>
        <translation>Kopieren nach…</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplizieren</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Umbenennen…</translation>
    </message>
    <message>
        <source>Rename Matches…</source>
        <translation>Treffer umbenennen…</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>New Folder…</source>
        <translation>Neuer Ordner…</translation>
    </message>
    <message>
        <source>Compress “%1”</source>
        <translation>„%1“ komprimieren</translation>
    </message>
    <message numerus="yes">
        <source>New Folder with Selection (%Ln Item(s))…</source>
        <translation>
            <numerusform>Neuer Ordner mit Auswahl (%Ln Objekt)…</numerusform>
            <numerusform>Neuer Ordner mit Auswahl (%Ln Objekte)…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Compress %Ln Item(s)</source>
        <translation>
            <numerusform>%Ln Objekt komprimieren</numerusform>
            <numerusform>%Ln Objekte komprimieren</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::FileInfoView</name>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Get Info</source>
        <translation>Eigenschaften</translation>
    </message>
    <message>
        <source>Unavailable</source>
        <translation>Nicht verfügbar</translation>
    </message>
    <message>
        <source>Folder</source>
        <comment>kind</comment>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>File</source>
        <comment>kind</comment>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Folder (contents not counted)</source>
        <translation>Ordner (Inhalt nicht gezählt)</translation>
    </message>
    <message>
        <source>Read &amp; Write</source>
        <translation>Lesen und Schreiben</translation>
    </message>
    <message>
        <source>Read Only or Unavailable</source>
        <translation>Nur Lesen oder nicht verfügbar</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Access</source>
        <translation>Zugriff</translation>
    </message>
    <message numerus="yes">
        <source>Info for %Ln Item(s)</source>
        <translation>
            <numerusform>Informationen zu %Ln Objekt</numerusform>
            <numerusform>Informationen zu %Ln Objekten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::MainWindow</name>
    <message>
        <source>Quillbrook</source>
        <translation>Quillbrook</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Seitenleiste</translation>
    </message>
    <message>
        <source>Show or hide saved searches</source>
        <translation>Gespeicherte Suchen ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Saved Searches</source>
        <translation>Gespeicherte Suchen</translation>
    </message>
    <message>
        <source>Saved searches</source>
        <translation>Gespeicherte Suchen</translation>
    </message>
    <message>
        <source>No saved searches</source>
        <translation>Keine gespeicherten Suchen</translation>
    </message>
    <message>
        <source>Save Current Search…</source>
        <translation>Aktuelle Suche speichern…</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Mehr</translation>
    </message>
    <message>
        <source>Window layout and settings</source>
        <translation>Fensteranordnung und Einstellungen</translation>
    </message>
    <message>
        <source>Window Layout</source>
        <translation>Fensteranordnung</translation>
    </message>
    <message>
        <source>Focused</source>
        <translation>Fokussiert</translation>
    </message>
    <message>
        <source>Workspace</source>
        <translation>Arbeitsbereich</translation>
    </message>
    <message>
        <source>Compact</source>
        <translation>Kompakt</translation>
    </message>
    <message>
        <source>Pattern Reference</source>
        <translation>Musterreferenz</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>qb::PatternHelp</name>
    <message>
        <source>Pattern Reference</source>
        <translation>Musterreferenz</translation>
    </message>
    <message>
        <source>Close reference</source>
        <translation>Referenz schließen</translation>
    </message>
    <message>
        <source>A pattern matches anywhere in a name. Use ^ for the beginning and $ for the end.</source>
        <translation>Ein Muster passt an jeder Stelle eines Namens. Verwenden Sie ^ für den Anfang und $ für das Ende.</translation>
    </message>
    <message>
        <source>Searches filenames and paths using ICU regular expressions. File contents, package contents, and symlink destinations aren’t searched.</source>
        <translation>Durchsucht Dateinamen und Pfade mit regulären Ausdrücken nach ICU. Dateiinhalte, Paketinhalte und die Ziele symbolischer Verknüpfungen werden nicht durchsucht.</translation>
    </message>
    <message>
        <source>PDF files</source>
        <translation>PDF-Dateien</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Starts with Report</source>
        <translation>Beginnt mit „Report“</translation>
    </message>
    <message>
        <source>Contains a year</source>
        <translation>Enthält eine Jahreszahl</translation>
    </message>
    <message>
        <source>Any number of characters</source>
        <translation>Beliebig viele Zeichen</translation>
    </message>
    <message>
        <source>Any character</source>
        <translation>Ein beliebiges Zeichen</translation>
    </message>
    <message>
        <source>A digit</source>
        <translation>Eine Ziffer</translation>
    </message>
    <message>
        <source>A literal dot</source>
        <translation>Ein echter Punkt</translation>
    </message>
    <message>
        <source>Either a or b</source>
        <translation>Entweder a oder b</translation>
    </message>
</context>
<context>
    <name>qb::PreferencesView</name>
    <message>
        <source>Quillbrook Settings</source>
        <translation>Quillbrook-Einstellungen</translation>
    </message>
    <message>
        <source>Presentation</source>
        <translation>Darstellung</translation>
    </message>
    <message>
        <source>Window layout</source>
        <translation>Fensteranordnung</translation>
    </message>
    <message>
        <source>Focused</source>
        <translation>Fokussiert</translation>
    </message>
    <message>
        <source>Workspace</source>
        <translation>Arbeitsbereich</translation>
    </message>
    <message>
        <source>Compact</source>
        <translation>Kompakt</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Search as you type</source>
        <translation>Während der Eingabe suchen</translation>
    </message>
    <message>
        <source>Waits briefly after typing. Turn off for Return-only searches on large folders.</source>
        <translation>Wartet nach der Eingabe kurz. Für große Ordner ausschalten und nur mit der Eingabetaste suchen.</translation>
    </message>
    <message>
        <source>Remember the last search folder</source>
        <translation>Letzten Suchordner merken</translation>
    </message>
    <message>
        <source>Run saved searches when opened</source>
        <translation>Gespeicherte Suchen beim Öffnen ausführen</translation>
    </message>
    <message>
        <source>Appearance</source>
        <translation>Erscheinungsbild</translation>
    </message>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <source>System follows your desktop’s appearance. Your desktop’s accent color is used in every mode.</source>
        <translation>„System“ folgt dem Erscheinungsbild Ihrer Arbeitsumgebung. Ihre Akzentfarbe wird in jedem Modus verwendet.</translation>
    </message>
    <message>
        <source>Search controls and a spacious results list.</source>
        <translation>Suchfelder und eine großzügige Ergebnisliste.</translation>
    </message>
    <message>
        <source>Keep saved searches and recent folders alongside results.</source>
        <translation>Gespeicherte Suchen und zuletzt verwendete Ordner neben den Ergebnissen.</translation>
    </message>
    <message>
        <source>Start small. Expand the window when you search.</source>
        <translation>Klein beginnen. Das Fenster wächst, sobald Sie suchen.</translation>
    </message>
</context>
<context>
    <name>qb::Preview</name>
    <message>
        <source>Folder</source>
        <comment>kind</comment>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>File</source>
        <comment>kind</comment>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Modified %1</source>
        <translation>Geändert: %1</translation>
    </message>
    <message>
        <source>This item is no longer available.</source>
        <translation>Dieses Objekt ist nicht mehr vorhanden.</translation>
    </message>
    <message>
        <source>This item can’t be read.</source>
        <translation>Dieses Objekt kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>This file is empty.</source>
        <translation>Diese Datei ist leer.</translation>
    </message>
    <message>
        <source>This image can’t be shown.</source>
        <translation>Dieses Bild kann nicht angezeigt werden.</translation>
    </message>
    <message>
        <source>This PDF is protected by a password.</source>
        <translation>Dieses PDF ist durch ein Passwort geschützt.</translation>
    </message>
    <message>
        <source>This PDF can’t be shown.</source>
        <translation>Dieses PDF kann nicht angezeigt werden.</translation>
    </message>
</context>
<context>
    <name>qb::PreviewWindow</name>
    <message>
        <source>Text preview</source>
        <translation>Textvorschau</translation>
    </message>
    <message>
        <source>Pages 1–%1 of %2</source>
        <translation>Seiten 1–%1 von %2</translation>
    </message>
    <message>
        <source>%1 (%2 of %3)</source>
        <comment>window title: name, position among the items previewed</comment>
        <translation>%1 (%2 von %3)</translation>
    </message>
</context>
<context>
    <name>qb::RenameMatchesDialog</name>
    <message>
        <source>Rename Matches</source>
        <translation>Treffer umbenennen</translation>
    </message>
    <message>
        <source>Case sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>$1, ${name}, $0; \$ for a dollar sign</source>
        <translation>$1, ${name}, $0; \$ für ein Dollarzeichen</translation>
    </message>
    <message>
        <source>Replace all occurrences</source>
        <translation>Alle Vorkommen ersetzen</translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation>Ersetzen durch:</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message numerus="yes">
        <source>Rename %Ln Item(s)</source>
        <translation>
            <numerusform>%Ln Objekt umbenennen</numerusform>
            <numerusform>%Ln Objekte umbenennen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::RenamePreviewModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>New Name</source>
        <translation>Neuer Name</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>qb::ResultArea</name>
    <message>
        <source>Search changed. Results below are from the previous search.</source>
        <translation>Die Suche wurde geändert. Die Ergebnisse unten stammen aus der vorherigen Suche.</translation>
    </message>
    <message>
        <source>Update Results</source>
        <translation>Ergebnisse aktualisieren</translation>
    </message>
    <message>
        <source>Couldn’t finish searching</source>
        <translation>Die Suche konnte nicht abgeschlossen werden</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Ordner wählen…</translation>
    </message>
</context>
<context>
    <name>qb::ResultFilterBar</name>
    <message>
        <source>Kind</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Any Kind</source>
        <translation>Alle Typen</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Video</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Archives</source>
        <translation>Archive</translation>
    </message>
    <message>
        <source>Any Size</source>
        <translation>Jede Größe</translation>
    </message>
    <message>
        <source>Under 1 MB</source>
        <translation>Unter 1 MB</translation>
    </message>
    <message>
        <source>1–100 MB</source>
        <translation>1–100 MB</translation>
    </message>
    <message>
        <source>Over 100 MB</source>
        <translation>Über 100 MB</translation>
    </message>
    <message>
        <source>Any Date</source>
        <translation>Jederzeit</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Heute</translation>
    </message>
    <message>
        <source>Last 7 Days</source>
        <translation>Letzte 7 Tage</translation>
    </message>
    <message>
        <source>Last 30 Days</source>
        <translation>Letzte 30 Tage</translation>
    </message>
</context>
<context>
    <name>qb::ResultsTableModel</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
    <message numerus="yes">
        <source>%Ln byte(s)</source>
        <comment>size</comment>
        <translation>
            <numerusform>%Ln Byte</numerusform>
            <numerusform>%Ln Byte</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::ResultsView</name>
    <message>
        <source>Results</source>
        <translation>Ergebnisse</translation>
    </message>
</context>
<context>
    <name>qb::SaveSheet</name>
    <message>
        <source>Save Search</source>
        <translation>Suche speichern</translation>
    </message>
    <message>
        <source>Keep this pattern, folder, and search options together.</source>
        <translation>Muster, Ordner und Suchoptionen zusammen aufbewahren.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>qb::SearchControls</name>
    <message>
        <source>Search in</source>
        <translation>Suchen in</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Wählen…</translation>
    </message>
    <message>
        <source>Enter a regular expression</source>
        <translation>Regulären Ausdruck eingeben</translation>
    </message>
    <message>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <source>Press Return to search the selected folder</source>
        <translation>Drücken Sie die Eingabetaste, um den gewählten Ordner zu durchsuchen</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Full Path</source>
        <translation>Vollständiger Pfad</translation>
    </message>
    <message>
        <source>Match against</source>
        <translation>Abgleichen mit</translation>
    </message>
    <message>
        <source>Subfolders</source>
        <translation>Unterordner</translation>
    </message>
    <message>
        <source>Case sensitivity and hidden items</source>
        <translation>Groß-/Kleinschreibung und verborgene Objekte</translation>
    </message>
    <message>
        <source>Case Sensitive</source>
        <translation>Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>Include Hidden Items</source>
        <translation>Verborgene Objekte einbeziehen</translation>
    </message>
    <message>
        <source>Search as You Type</source>
        <translation>Während der Eingabe suchen</translation>
    </message>
    <message>
        <source>Regex reference and examples</source>
        <translation>Referenz und Beispiele für reguläre Ausdrücke</translation>
    </message>
    <message>
        <source>Regex reference</source>
        <translation>Referenz für reguläre Ausdrücke</translation>
    </message>
    <message>
        <source>This expression is incomplete or invalid. Check brackets, parentheses, and escapes.</source>
        <translation>Dieser Ausdruck ist unvollständig oder ungültig. Prüfen Sie eckige und runde Klammern sowie Escape-Sequenzen.</translation>
    </message>
    <message>
        <source>Options •</source>
        <translation>Optionen •</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Filters •</source>
        <translation>Filter •</translation>
    </message>
    <message>
        <source>Filters</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Live search</source>
        <translation>Sofortsuche</translation>
    </message>
    <message>
        <source>Press Return to search</source>
        <translation>Zum Suchen die Eingabetaste drücken</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Ordner wählen…</translation>
    </message>
</context>
<context>
    <name>qb::SearchModel</name>
    <message>
        <source>Copy</source>
        <comment>button of the folder panel</comment>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Move</source>
        <comment>button of the folder panel</comment>
        <translation>Verschieben</translation>
    </message>
    <message numerus="yes">
        <source>Choose a destination for %n selected items. Existing items won’t be replaced.</source>
        <translation>
            <numerusform>Wählen Sie ein Ziel für %n ausgewähltes Objekt. Vorhandene Objekte werden nicht ersetzt.</numerusform>
            <numerusform>Wählen Sie ein Ziel für %n ausgewählte Objekte. Vorhandene Objekte werden nicht ersetzt.</numerusform>
        </translation>
    </message>
    <message>
        <source>Copying…</source>
        <translation>Wird kopiert…</translation>
    </message>
    <message>
        <source>Moving…</source>
        <translation>Wird verschoben…</translation>
    </message>
    <message>
        <source>New Folder</source>
        <comment>title of the dialog</comment>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <source>New Folder with Selection</source>
        <comment>title of the dialog</comment>
        <translation>Neuer Ordner mit Auswahl</translation>
    </message>
    <message>
        <source>Create a folder in %1.</source>
        <translation>Einen Ordner in %1 erstellen.</translation>
    </message>
    <message numerus="yes">
        <source>Create a folder in %1 and move %n selected items into it.</source>
        <translation>
            <numerusform>Einen Ordner in %1 erstellen und %n ausgewähltes Objekt hineinverschieben.</numerusform>
            <numerusform>Einen Ordner in %1 erstellen und %n ausgewählte Objekte hineinverschieben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>New Folder</source>
        <comment>the name a new folder gets unless another is typed</comment>
        <translation>Neuer Ordner</translation>
    </message>
    <message>
        <source>Enter a valid folder name without slashes or colons.</source>
        <translation>Geben Sie einen gültigen Ordnernamen ohne Schrägstriche oder Doppelpunkte ein.</translation>
    </message>
    <message>
        <source>Creating Folder…</source>
        <translation>Ordner wird erstellt…</translation>
    </message>
    <message>
        <source>Compressing…</source>
        <translation>Wird komprimiert…</translation>
    </message>
    <message>
        <source>Moving to Trash…</source>
        <translation>Wird in den Papierkorb verschoben…</translation>
    </message>
    <message>
        <source>Duplicating…</source>
        <translation>Wird dupliziert…</translation>
    </message>
    <message>
        <source>Rename “%1”</source>
        <translation>„%1“ umbenennen</translation>
    </message>
    <message>
        <source>Rename</source>
        <comment>button of the rename dialog</comment>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Enter a valid filename without slashes or colons.</source>
        <translation>Geben Sie einen gültigen Dateinamen ohne Schrägstriche oder Doppelpunkte ein.</translation>
    </message>
    <message>
        <source>Renaming…</source>
        <translation>Wird umbenannt…</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Some items couldn’t be changed</source>
        <translation>Einige Objekte konnten nicht geändert werden</translation>
    </message>
    <message>
        <source>Redoing…</source>
        <translation>Wird wiederholt…</translation>
    </message>
    <message>
        <source>Undoing…</source>
        <translation>Wird rückgängig gemacht…</translation>
    </message>
    <message>
        <source>Redone</source>
        <translation>Wiederholt</translation>
    </message>
    <message>
        <source>Undone</source>
        <translation>Rückgängig gemacht</translation>
    </message>
    <message>
        <source>Some items couldn’t be restored</source>
        <translation>Einige Objekte konnten nicht wiederhergestellt werden</translation>
    </message>
    <message>
        <source>Drop a single folder to search it.</source>
        <translation>Legen Sie einen einzelnen Ordner ab, um ihn zu durchsuchen.</translation>
    </message>
    <message>
        <source>Search Here</source>
        <comment>button of the folder panel</comment>
        <translation>Hier suchen</translation>
    </message>
    <message>
        <source>Choose the folder to search.</source>
        <translation>Wählen Sie den Ordner, der durchsucht werden soll.</translation>
    </message>
</context>
<context>
    <name>qb::SearchView</name>
    <message>
        <source>Pattern examples</source>
        <translation>Musterbeispiele</translation>
    </message>
    <message>
        <source>Searches as you type</source>
        <translation>Sucht während der Eingabe</translation>
    </message>
    <message>
        <source>Return to search</source>
        <translation>Eingabetaste zum Suchen</translation>
    </message>
    <message>
        <source>File Operation</source>
        <translation>Dateivorgang</translation>
    </message>
</context>
<context>
    <name>qb::Sidebar</name>
    <message>
        <source>Sidebar</source>
        <translation>Seitenleiste</translation>
    </message>
    <message>
        <source>Saved Searches</source>
        <translation>Gespeicherte Suchen</translation>
    </message>
    <message>
        <source>Save a pattern to use it again.</source>
        <translation>Speichern Sie ein Muster, um es wieder zu verwenden.</translation>
    </message>
    <message>
        <source>Save Search…</source>
        <translation>Suche speichern…</translation>
    </message>
    <message>
        <source>Recent Folders</source>
        <translation>Zuletzt verwendete Ordner</translation>
    </message>
    <message>
        <source>Choose Folder…</source>
        <translation>Ordner wählen…</translation>
    </message>
    <message>
        <source>Remove Saved Search</source>
        <translation>Gespeicherte Suche entfernen</translation>
    </message>
</context>
<context>
    <name>qb::SkippedItemsModel</name>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Ort</translation>
    </message>
</context>
<context>
    <name>qb::SkippedSheet</name>
    <message>
        <source>The pattern took too long</source>
        <translation>Das Muster hat zu lange gebraucht</translation>
    </message>
    <message>
        <source>Gone during the search</source>
        <translation>Während der Suche verschwunden</translation>
    </message>
    <message>
        <source>Skipped Items</source>
        <translation>Übersprungene Objekte</translation>
    </message>
    <message>
        <source>Skipped items</source>
        <translation>Übersprungene Objekte</translation>
    </message>
    <message>
        <source>Reveal in File Manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Copy Paths</source>
        <translation>Pfade kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message numerus="yes">
        <source>%Ln folder(s) couldn’t be read</source>
        <translation>
            <numerusform>%Ln Ordner konnte nicht gelesen werden</numerusform>
            <numerusform>%Ln Ordner konnten nicht gelesen werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln name(s) took the pattern too long</source>
        <translation>
            <numerusform>Bei %Ln Namen hat das Muster zu lange gebraucht</numerusform>
            <numerusform>Bei %Ln Namen hat das Muster zu lange gebraucht</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln item(s) went away during the search</source>
        <translation>
            <numerusform>%Ln Objekt ist während der Suche verschwunden</numerusform>
            <numerusform>%Ln Objekte sind während der Suche verschwunden</numerusform>
        </translation>
    </message>
    <message>
        <source>Nothing was skipped.</source>
        <translation>Es wurde nichts übersprungen.</translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>und %Ln weiteres</numerusform>
            <numerusform>und %Ln weitere</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::Spinner</name>
    <message>
        <source>Busy</source>
        <translation>Beschäftigt</translation>
    </message>
</context>
<context>
    <name>qb::StatusBar</name>
    <message>
        <source>Show in File Manager</source>
        <translation>Im Dateimanager anzeigen</translation>
    </message>
    <message>
        <source>Dismiss file operation status</source>
        <translation>Status des Dateivorgangs ausblenden</translation>
    </message>
    <message>
        <source>Show skipped items</source>
        <translation>Übersprungene Objekte anzeigen</translation>
    </message>
    <message>
        <source>Search filenames and paths · Select results to preview or organize</source>
        <translation>Dateinamen und Pfade durchsuchen · Treffer auswählen, um sie anzusehen oder zu ordnen</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %Ln match(es)</source>
        <translation>
            <numerusform>%1 von %Ln Treffer</numerusform>
            <numerusform>%1 von %Ln Treffern</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln match(es)</source>
        <translation>
            <numerusform>%Ln Treffer</numerusform>
            <numerusform>%Ln Treffer</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 · %Ln item(s) searched</source>
        <translation>
            <numerusform>%1 · %Ln Objekt durchsucht</numerusform>
            <numerusform>%1 · %Ln Objekte durchsucht</numerusform>
        </translation>
    </message>
    <message>
        <source>Stopped · %1</source>
        <translation>Angehalten · %1</translation>
    </message>
    <message>
        <source>Showing the first 20,000 matches. Narrow your search to see fewer results.</source>
        <translation>Die ersten 20.000 Treffer werden angezeigt. Schränken Sie die Suche ein, um weniger Ergebnisse zu erhalten.</translation>
    </message>
    <message numerus="yes">
        <source>%Ln item(s) skipped because they couldn’t be read or the pattern took too long.</source>
        <translation>
            <numerusform>%Ln Objekt übersprungen, weil es nicht gelesen werden konnte oder das Muster zu lange brauchte.</numerusform>
            <numerusform>%Ln Objekte übersprungen, weil sie nicht gelesen werden konnten oder das Muster zu lange brauchte.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln selected</source>
        <translation>
            <numerusform>%Ln ausgewählt</numerusform>
            <numerusform>%Ln ausgewählt</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 s</source>
        <comment>seconds</comment>
        <translation>%1 s</translation>
    </message>
</context>
</TS>
