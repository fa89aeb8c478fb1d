<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>PackagesDialog</name>
    <message>
        <source>Package</source>
        <translation>Package</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>loaded</source>
        <translation>geladen</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>Packages</source>
        <translation>Geladene Packages</translation>
    </message>
</context>
<context>
    <name>TDesignSurface</name>
    <message>
        <source>%1 at %2, %3 (%4 by %4)</source>
        <translation>%1 bei %2, %3 (%4 mal %4)</translation>
    </message>
</context>
<context>
    <name>TDesignerWindow</name>
    <message>
        <source>Cu&amp;t</source>
        <translation>Aus&amp;schneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>&amp;Alles auswählen</translation>
    </message>
    <message>
        <source>%1 row</source>
        <translation>%1 Zeile</translation>
    </message>
    <message>
        <source>%1 rows</source>
        <translation>%1 Zeilen</translation>
    </message>
    <message>
        <source>%1 copied to the clipboard</source>
        <translation>%1 in die Zwischenablage kopiert</translation>
    </message>
    <message>
        <source>%1 written to &lt;a href=&quot;%2&quot;&gt;%3&lt;/a&gt;</source>
        <translation>%1 nach &lt;a href=&quot;%2&quot;&gt;%3&lt;/a&gt; geschrieben</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>&amp;Exportieren</translation>
    </message>
    <message>
        <source>Run the selected export components with their settings and write their files</source>
        <translation>Die gewählten Exportkomponenten mit ihren Einstellungen ausführen und ihre Dateien schreiben</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>&amp;Test export dialog</source>
        <translation>Export&amp;dialog testen</translation>
    </message>
    <message>
        <source>Run the selected export dialog on its dataset, as the application would</source>
        <translation>Den gewählten Exportdialog auf seiner Datenmenge ausführen, wie es die Anwendung täte</translation>
    </message>
    <message>
        <source>Exporting %1...</source>
        <translation>%1 wird exportiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Exporting %1: %2 records</source>
        <translation>%1 wird exportiert: %2 Datensätze</translation>
    </message>
    <message>
        <source>%1 names a program to show the clipboard with:

%2

Start it? A form file from elsewhere can name any program: start it only if you trust the form.</source>
        <translation>%1 nennt ein Programm, das die Zwischenablage zeigen soll:

%2

Starten? Ein Formular von anderswo kann jedes Programm nennen: Starten Sie es nur, wenn Sie dem Formular vertrauen.</translation>
    </message>
    <message>
        <source>%1 was not exported</source>
        <translation>%1 wurde nicht exportiert</translation>
    </message>
    <message>
        <source>%1 was not exported; its file keeps what it held.

%2</source>
        <translation>%1 wurde nicht exportiert; seine Datei behält ihren bisherigen Inhalt.

%2</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>That action was too large to undo: the undo history was cleared (it keeps at most %1 MiB)</source>
        <translation>Diese Aktion war zu groß, um sie rückgängig zu machen: Der Verlauf wurde geleert (er fasst höchstens %1 MiB)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Start a new, empty form</source>
        <translation>Ein neues, leeres Formular beginnen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open a form file</source>
        <translation>Eine Formulardatei öffnen</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Zuletzt geöffnet</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the form to its file</source>
        <translation>Das Formular in seiner Datei speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the form to another file</source>
        <translation>Das Formular in einer anderen Datei speichern</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Close the designer, asking to save unsaved forms</source>
        <translation>Den Designer schließen; für ungespeicherte Formulare wird nachgefragt</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Take back the last change of the form</source>
        <translation>Die letzte Änderung des Formulars zurücknehmen</translation>
    </message>
    <message>
        <source>Make the change taken back again</source>
        <translation>Die zurückgenommene Änderung erneut ausführen</translation>
    </message>
    <message>
        <source>Undo &amp;history...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>List the changes of the form; a click goes back or forward to one</source>
        <translation>Die Änderungen des Formulars auflisten; ein Klick springt zurück oder vor zu einer</translation>
    </message>
    <message>
        <source>&amp;Component</source>
        <translation>&amp;Komponente</translation>
    </message>
    <message>
        <source>&amp;Package information...</source>
        <translation>Package-&amp;Informationen...</translation>
    </message>
    <message>
        <source>What the loaded package holds and requires</source>
        <translation>Was das geladene Package enthält und benötigt</translation>
    </message>
    <message>
        <source>&amp;Install package...</source>
        <translation>Package i&amp;nstallieren...</translation>
    </message>
    <message>
        <source>Load another design-time package onto the palette</source>
        <translation>Ein weiteres Entwurfszeit-Package in die Palette laden</translation>
    </message>
    <message>
        <source>Pac&amp;kages...</source>
        <translation>Geladene &amp;Packages...</translation>
    </message>
    <message>
        <source>Every package loaded or refused, with the reason</source>
        <translation>Jedes geladene oder abgelehnte Package, mit dem Grund</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>The forms being designed</source>
        <translation>Die Formulare im Entwurf</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About drowcast-designer...</source>
        <translation>Ü&amp;ber drowcast-designer...</translation>
    </message>
    <message>
        <source>What this designer is</source>
        <translation>Was dieser Designer ist</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>Line %1: %2%3: %4
</source>
        <translation>Zeile %1: %2%3: %4
</translation>
    </message>
    <message>
        <source>The form file %1 names what no installed package has:

%2
Open the form without them? They are left out of it when it is saved.</source>
        <translation>Die Formulardatei %1 nennt, was kein installiertes Package hat:

%2
Das Formular ohne sie öffnen? Beim Speichern fehlen sie dann darin.</translation>
    </message>
    <message>
        <source>The form file %1 could not be opened:
%2

The form shown stays as it was.</source>
        <translation>Die Formulardatei %1 ließ sich nicht öffnen:
%2

Das gezeigte Formular bleibt, wie es war.</translation>
    </message>
    <message>
        <source>Open form</source>
        <translation>Formular öffnen</translation>
    </message>
    <message>
        <source>Form files (*.dfm);;All files (*)</source>
        <translation>Formulardateien (*.dfm);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The form file %1 no longer exists.
It is removed from the recent files.</source>
        <translation>Die Formulardatei %1 gibt es nicht mehr.
Sie wird aus den zuletzt geöffneten Dateien entfernt.</translation>
    </message>
    <message>
        <source>The form could not be saved to %1:
%2

The file keeps what it held. Choose File &gt; Save As to save the form elsewhere.</source>
        <translation>Das Formular ließ sich nicht in %1 speichern:
%2

Die Datei behält ihren bisherigen Inhalt. Wählen Sie Datei &gt; Speichern unter, um das Formular anderswo zu speichern.</translation>
    </message>
    <message>
        <source>Save form as</source>
        <translation>Formular speichern unter</translation>
    </message>
    <message>
        <source>The form could not be saved to %1:
%2

Choose another file or folder.</source>
        <translation>Das Formular ließ sich nicht in %1 speichern:
%2

Wählen Sie eine andere Datei oder einen anderen Ordner.</translation>
    </message>
    <message>
        <source>The form %1 has been modified.
Save your changes?</source>
        <translation>Das Formular %1 wurde geändert.
Änderungen speichern?</translation>
    </message>
    <message>
        <source>%1 components selected</source>
        <translation>%1 Komponenten ausgewählt</translation>
    </message>
    <message>
        <source>%1 at %2, %3</source>
        <translation>%1 bei %2, %3</translation>
    </message>
    <message>
        <source>%1 (Untitled)</source>
        <translation>%1 (unbenannt)</translation>
    </message>
    <message>
        <source>Package information</source>
        <translation>Package-Informationen</translation>
    </message>
    <message>
        <source>About drowcast-designer</source>
        <translation>Über drowcast-designer</translation>
    </message>
    <message>
        <source>&lt;b&gt;drowcast-designer&lt;/b&gt;&lt;p&gt;A designer host for design-time packages: a palette, a design surface and an object inspector on form files, with the package&apos;s own editors and dialogs.&lt;/p&gt;&lt;p&gt;Package: %1&lt;/p&gt;</source>
        <translation>&lt;b&gt;drowcast-designer&lt;/b&gt;&lt;p&gt;Ein Designer für Entwurfszeit-Packages: eine Palette, eine Entwurfsfläche und ein Objektinspektor für Formulardateien, mit den eigenen Editoren und Dialogen des Packages.&lt;/p&gt;&lt;p&gt;Package: %1&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Install package</source>
        <translation>Package installieren</translation>
    </message>
    <message>
        <source>Packages (*.so);;All files (*)</source>
        <translation>Packages (*.so);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The package %1 could not be installed:
%2

The palette keeps what it had; Component &gt; Packages lists every package with the reason it failed.</source>
        <translation>Das Package %1 ließ sich nicht installieren:
%2

Die Palette behält, was sie hatte; Komponente &gt; Geladene Packages listet jedes Package mit dem Grund seines Scheiterns.</translation>
    </message>
    <message>
        <source>Autosave failed: %1</source>
        <translation>Automatisches Speichern fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The designer did not end cleanly last time and kept forms that were not saved.
Recover them?</source>
        <translation>Der Designer wurde letztes Mal nicht sauber beendet und hat ungespeicherte Formulare aufbewahrt.
Wiederherstellen?</translation>
    </message>
    <message>
        <source>These forms could not be recovered; their files are kept in the state folder:
%1</source>
        <translation>Diese Formulare ließen sich nicht wiederherstellen; ihre Dateien bleiben im Zustandsordner:
%1</translation>
    </message>
</context>
<context>
    <name>TObjectInspector</name>
    <message>
        <source>Filter properties</source>
        <translation>Eigenschaften filtern</translation>
    </message>
    <message>
        <source>Property</source>
        <translation>Eigenschaft</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>String list editor: %1</source>
        <translation>Stringlisten-Editor: %1</translation>
    </message>
    <message>
        <source>One entry a line:</source>
        <translation>Ein Eintrag pro Zeile:</translation>
    </message>
    <message>
        <source>Font: %1</source>
        <translation>Schrift: %1</translation>
    </message>
</context>
<context>
    <name>TPaletteBar</name>
    <message>
        <source>Pointer</source>
        <translation>Zeiger</translation>
    </message>
    <message>
        <source>Data Access</source>
        <translation>Datenzugriff</translation>
    </message>
</context>
<context>
    <name>TPreviewDock</name>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Select an export component to see what it writes.</source>
        <translation>Wählen Sie eine Exportkomponente, um zu sehen, was sie schreibt.</translation>
    </message>
    <message>
        <source>Preview: %1, first %2 records</source>
        <translation>Vorschau: %1, erste %2 Datensätze</translation>
    </message>
    <message>
        <source>Preview: %1</source>
        <translation>Vorschau: %1</translation>
    </message>
    <message>
        <source>No preview: %1</source>
        <translation>Keine Vorschau: %1</translation>
    </message>
</context>
<context>
    <name>UndoHistory</name>
    <message>
        <source>(before the oldest step)</source>
        <translation>(vor dem ältesten Schritt)</translation>
    </message>
    <message>
        <source>Undo history</source>
        <translation>Verlauf</translation>
    </message>
</context>
<context>
    <name>UndoLabel</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>Verschieben</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Setzen</translation>
    </message>
    <message>
        <source>Resize</source>
        <translation>Größe ändern</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Double-click</source>
        <translation>Doppelklick</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
</context>
</TS>
