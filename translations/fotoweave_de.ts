<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Shown with this photo in the slide show; Enter adds the photo</source>
        <translation>Wird mit diesem Foto in der Diashow gezeigt; die Eingabetaste fügt das Foto hinzu</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Shows the photo before this one again</source>
        <translation>Zeigt das vorige Foto noch einmal</translation>
    </message>
    <message>
        <source>Leaves this photo out and shows the next</source>
        <translation>Lässt dieses Foto aus und zeigt das nächste</translation>
    </message>
    <message>
        <source>Adds this photo, with its caption, to the slide show</source>
        <translation>Fügt dieses Foto mit seinem Bildtext zur Diashow hinzu</translation>
    </message>
    <message>
        <source>Opens the slide show&apos;s page in the web browser</source>
        <translation>Öffnet die Seite der Diashow im Webbrowser</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Photo, full screen</source>
        <translation>Foto, Vollbild</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Bildtext</translation>
    </message>
    <message>
        <source>Enter adds the photo; Escape returns to the main window</source>
        <translation>Die Eingabetaste fügt das Foto hinzu; Escape kehrt zum Hauptfenster zurück</translation>
    </message>
    <message>
        <source>The folder whose photos are offered</source>
        <translation>Der Ordner, dessen Fotos angeboten werden</translation>
    </message>
    <message>
        <source>The folder the slide show&apos;s page is written to</source>
        <translation>Der Ordner, in den die Seite der Diashow geschrieben wird</translation>
    </message>
    <message>
        <source>Select source folder</source>
        <translation>Quellordner wählen</translation>
    </message>
    <message>
        <source>Select target folder</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>Found images</source>
        <translation>Gefundene Bilder</translation>
    </message>
    <message>
        <source>The photos that will be offered, one by one, in this order</source>
        <translation>Die Fotos, die nacheinander in dieser Reihenfolge angeboten werden</translation>
    </message>
    <message>
        <source>Starts offering the photos</source>
        <translation>Beginnt, die Fotos anzubieten</translation>
    </message>
    <message>
        <source>Slides</source>
        <translation>Dias</translation>
    </message>
    <message>
        <source>Enter edits a caption, Delete removes a slide, Ctrl+Up and Ctrl+Down move it</source>
        <translation>Die Eingabetaste bearbeitet einen Bildtext, Entf entfernt ein Dia, Strg+Auf und Strg+Ab verschieben es</translation>
    </message>
</context>
<context>
    <name>CaptionFile</name>
    <message>
        <source>The captions file &quot;%1&quot; cannot be read: %2.</source>
        <translation>Die Datei mit den Bildtexten „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The captions file &quot;%1&quot; cannot be read: it is not UTF-8 text.</source>
        <translation>Die Datei mit den Bildtexten „%1“ kann nicht gelesen werden: Sie ist kein UTF-8-Text.</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Usage: fotoweave [COMMAND]
Turns a folder of photos into a captioned web slide show, SlideShow.htm.

Without a command, the Fotoweave window opens.

Commands:
  make SOURCE [TARGET]   make the slide show of the photos in SOURCE without
                         a window (see fotoweave make --help)

Options:
  -h, --help             show this help
  -v, --version          show the version
</source>
        <translation>Aufruf: fotoweave [BEFEHL]
Macht aus einem Ordner mit Fotos eine Diashow mit Bildtexten als Webseite,
SlideShow.htm.

Ohne Befehl öffnet sich das Fenster von Fotoweave.

Befehle:
  make QUELLE [ZIEL]     macht die Diashow der Fotos in QUELLE ohne Fenster
                         (siehe fotoweave make --help)

Optionen:
  -h, --help             zeigt diese Hilfe
  -v, --version          zeigt die Version
</translation>
    </message>
    <message>
        <source>Usage: fotoweave make [OPTION]... SOURCE [TARGET]
Makes the slide show SlideShow.htm of the photos (JPEG, BMP and GIF) in the
folder SOURCE, in the folder TARGET (SOURCE when not given; made when
missing), with no window. The photos go in the order the window offers them,
and the page and the copies are those the window makes.

Options:
  --name NAME           the slide show&apos;s name (default &quot;My Slide Show&quot;)
  --captions metadata   captions from the descriptions the photos carry, as
                        the window suggests them (the default)
  --captions FILE       captions from a CSV or TSV file in UTF-8 with rows
                        &quot;file name, caption&quot;; a header row may come first
  --captions none       no captions
  --only-captioned      leave out the photos that have no caption
  --web-sized           web-sized photos (longest side 2048 px) with
                        thumbnails; TARGET must not be SOURCE
  --continue            add the photos after the last slide of a slide show
                        already in TARGET (the photos it holds are left out)
  --replace             replace a slide show already in TARGET
  --dry-run             say what would be done, and change nothing
  -q, --quiet           show no progress
  -h, --help            show this help

A slide show already in TARGET is left untouched unless --continue or
--replace is given.

Exit status:
  0    every photo went in
  1    some photos could not be read or copied (each is named on stderr);
       the page is complete all the same
  2    a usage error, or TARGET refused; nothing was changed
  130  stopped by SIGINT (Ctrl+C), 143 stopped by SIGTERM: the page is
       completed with the slides added so far
</source>
        <translation>Aufruf: fotoweave make [OPTION]... QUELLE [ZIEL]
Macht die Diashow SlideShow.htm aus den Fotos (JPEG, BMP und GIF) im Ordner
QUELLE, im Ordner ZIEL (QUELLE, wenn nicht angegeben; angelegt, wenn er
fehlt), ohne Fenster. Die Fotos kommen in der Reihenfolge, in der das Fenster
sie anbietet, und Seite und Kopien sind die, die das Fenster macht.

Optionen:
  --name NAME           der Name der Diashow (Vorgabe &quot;My Slide Show&quot;)
  --captions metadata   Bildtexte aus den Beschreibungen, die die
                        Fotos mitbringen, wie das Fenster sie vorschlägt
                        (die Vorgabe)
  --captions DATEI      Bildtexte aus einer CSV- oder TSV-Datei in
                        UTF-8 mit Zeilen &quot;Dateiname, Bildtext&quot;; eine
                        Kopfzeile darf vorangehen
  --captions none       keine Bildtexte
  --only-captioned      lässt die Fotos ohne Bildtext aus
  --web-sized           Fotos in Webgröße (längste Seite 2048 px) mit
                        Vorschaubildern; ZIEL darf nicht QUELLE sein
  --continue            fügt die Fotos nach dem letzten Dia einer Diashow
                        an, die schon in ZIEL liegt (Fotos, die sie enthält,
                        werden ausgelassen)
  --replace             ersetzt eine Diashow, die schon in ZIEL liegt
  --dry-run             sagt, was getan würde, und ändert nichts
  -q, --quiet           zeigt keinen Fortschritt
  -h, --help            zeigt diese Hilfe

Eine Diashow, die schon in ZIEL liegt, bleibt unberührt, außer --continue
oder --replace ist angegeben.

Rückgabewert:
  0    jedes Foto wurde aufgenommen
  1    manche Fotos konnten nicht gelesen oder kopiert werden (jedes wird auf
       stderr genannt); die Seite ist trotzdem vollständig
  2    ein Aufruffehler, oder ZIEL abgelehnt; nichts wurde geändert
  130  durch SIGINT (Strg+C) angehalten, 143 durch SIGTERM angehalten: die
       Seite wird mit den bis dahin hinzugefügten Dias abgeschlossen
</translation>
    </message>
    <message>
        <source>fotoweave: %1
Try &apos;%2&apos; for more.
</source>
        <translation>fotoweave: %1
Mehr dazu mit &apos;%2&apos;.
</translation>
    </message>
    <message>
        <source>make needs the folder of the photos.</source>
        <translation>make braucht den Ordner mit den Fotos.</translation>
    </message>
    <message>
        <source>make takes a source and at most one target folder.</source>
        <translation>make nimmt einen Quellordner und höchstens einen Zielordner.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 ist mehr als einmal angegeben.</translation>
    </message>
    <message>
        <source>--continue and --replace cannot both be given.</source>
        <translation>--continue und --replace können nicht beide angegeben werden.</translation>
    </message>
    <message>
        <source>there is no command &quot;%1&quot;.</source>
        <translation>es gibt keinen Befehl „%1“.</translation>
    </message>
</context>
<context>
    <name>ConsolePlatform</name>
    <message>
        <source> or </source>
        <translation> oder </translation>
    </message>
    <message>
        <source>
Nothing was changed. Give %1 to say what to do with it.</source>
        <translation>
Nichts wurde geändert. Geben Sie %1 an, um zu sagen, was damit geschehen soll.</translation>
    </message>
</context>
<context>
    <name>EditedShow</name>
    <message>
        <source>The slide show &quot;%1&quot; could not be saved: %2.</source>
        <translation>Die Diashow „%1“ konnte nicht gespeichert werden: %2.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Select folders:</source>
        <translation>Ordner wählen:</translation>
    </message>
    <message>
        <source>Se&amp;lect...</source>
        <translation>&amp;Wählen...</translation>
    </message>
    <message>
        <source>Selec&amp;t...</source>
        <translation>Wäh&amp;len...</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Web-sized photos (longest side 2048 px)</source>
        <translation>Fotos in Web&amp;größe (längste Seite 2048 px)</translation>
    </message>
    <message>
        <source>Offer skipped photos a&amp;gain</source>
        <translation>Übersprungene Fotos &amp;erneut anbieten</translation>
    </message>
    <message>
        <source>When a slide show is continued, photos skipped in its earlier sittings are offered too.</source>
        <translation>Wird eine Diashow fortgesetzt, werden auch die Fotos angeboten, die in früheren Sitzungen übersprungen wurden.</translation>
    </message>
    <message>
        <source>The slide show being continued keeps the size of its photos.</source>
        <translation>Die fortgesetzte Diashow behält die Größe ihrer Fotos.</translation>
    </message>
    <message>
        <source>Writes each added photo as a JPEG of at most 2048 px, with a thumbnail; the originals stay as they are.</source>
        <translation>Schreibt jedes hinzugefügte Foto als JPEG von höchstens 2048 px, mit Vorschaubild; die Originale bleiben unverändert.</translation>
    </message>
    <message>
        <source>Writes each added photo as a JPEG of at most 2048 px, with a thumbnail, into the folder SlideShow-photos beside the page; the originals stay as they are.</source>
        <translation>Schreibt jedes hinzugefügte Foto als JPEG von höchstens 2048 px, mit Vorschaubild, in den Ordner SlideShow-photos neben der Seite; die Originale bleiben unverändert.</translation>
    </message>
    <message>
        <source>: its name is not valid in this system&apos;s encoding; rename it</source>
        <translation>: sein Name ist in der Zeichenkodierung dieses Systems ungültig; benennen Sie die Datei um</translation>
    </message>
    <message>
        <source>: not an ordinary file</source>
        <translation>: keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>1 photo left out</source>
        <translation>1 Foto ausgelassen</translation>
    </message>
    <message>
        <source>%1 photos left out</source>
        <translation>%1 Fotos ausgelassen</translation>
    </message>
    <message>
        <source>: its name cannot be read</source>
        <translation>: sein Name ist nicht lesbar</translation>
    </message>
    <message>
        <source>: names cannot be read</source>
        <translation>: Namen sind nicht lesbar</translation>
    </message>
    <message>
        <source>: not ordinary files</source>
        <translation>: keine gewöhnlichen Dateien</translation>
    </message>
    <message>
        <source>: unreadable names, not ordinary files</source>
        <translation>: unlesbare Namen, keine gewöhnlichen Dateien</translation>
    </message>
    <message>
        <source>S&amp;ource:</source>
        <translation>&amp;Quelle:</translation>
    </message>
    <message>
        <source>Ta&amp;rget:</source>
        <translation>&amp;Ziel:</translation>
    </message>
    <message>
        <source>Found &amp;images:</source>
        <translation>Gefundene &amp;Bilder:</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>&amp;View SlideShow</source>
        <translation>Diashow &amp;ansehen</translation>
    </message>
    <message>
        <source>Slide Show Name:</source>
        <translation>Diashow-Name:</translation>
    </message>
    <message>
        <source>Image size:</source>
        <translation>Bildgröße:</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Bildtext</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>Über&amp;springen</translation>
    </message>
    <message>
        <source>&amp;Add to SlideShow</source>
        <translation>Zur Diashow hin&amp;zufügen</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>Zu&amp;rück</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Edit Slide Show...</source>
        <translation>Diashow be&amp;arbeiten...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>&amp;UserGuide</source>
        <translation>&amp;Handbuch</translation>
    </message>
    <message>
        <source>%1 of %2 · %3</source>
        <translation>%1 von %2 · %3</translation>
    </message>
    <message>
        <source>Loading %1…</source>
        <translation>%1 wird geladen…</translation>
    </message>
    <message>
        <source>Choose the slide show to edit</source>
        <translation>Die zu bearbeitende Diashow wählen</translation>
    </message>
    <message>
        <source>Slide show pages (*.htm *.html)</source>
        <translation>Diashow-Seiten (*.htm *.html)</translation>
    </message>
</context>
<context>
    <name>FullScreenPreview</name>
    <message>
        <source>Caption</source>
        <translation>Bildtext</translation>
    </message>
    <message>
        <source>Enter adds · Alt+Right or Page Down skips · Alt+Left or Page Up goes back · Escape leaves</source>
        <translation>Eingabe fügt hinzu · Alt+Rechts oder Bild ab überspringt · Alt+Links oder Bild auf geht zurück · Esc beendet</translation>
    </message>
</context>
<context>
    <name>General</name>
    <message>
        <source>An unexpected failure occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
</context>
<context>
    <name>ImageCopy</name>
    <message>
        <source>The image &quot;%1&quot; could not be copied to &quot;%2&quot;: %3.</source>
        <translation>Das Bild „%1“ konnte nicht nach „%2“ kopiert werden: %3.</translation>
    </message>
</context>
<context>
    <name>ImageFolder</name>
    <message>
        <source>The folder &quot;%1&quot; could not be read: %2.</source>
        <translation>Der Ordner „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
</context>
<context>
    <name>Mediator</name>
    <message>
        <source>Source Folder does not exist!</source>
        <translation>Der Quellordner existiert nicht!</translation>
    </message>
    <message>
        <source>No program could be found to open the page &quot;%1&quot;.</source>
        <translation>Es wurde kein Programm gefunden, das die Seite „%1“ öffnen kann.</translation>
    </message>
    <message>
        <source>Select a Target Folder</source>
        <translation>Zielordner wählen</translation>
    </message>
    <message>
        <source>Select a Source Folder</source>
        <translation>Quellordner wählen</translation>
    </message>
    <message>
        <source>Damaged: only part of this photo could be read</source>
        <translation>Beschädigt: Nur ein Teil dieses Fotos konnte gelesen werden</translation>
    </message>
    <message>
        <source>Error loading image</source>
        <translation>Fehler beim Laden des Bildes</translation>
    </message>
</context>
<context>
    <name>OwnFolder</name>
    <message>
        <source>a symbolic link</source>
        <translation>eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>eine Datei</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>eine FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>ein Socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>ein Gerät</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; could not be made: %2.</source>
        <translation>Der Ordner „%1“ konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a folder, so nothing is written into it.</source>
        <translation>„%1“ ist %2, kein Ordner, daher wird nichts hineingeschrieben.</translation>
    </message>
</context>
<context>
    <name>PageWeight</name>
    <message>
        <source>The page loads %1 MB of photos; with Web-sized photos it would be about %2 MB.</source>
        <translation>Die Seite lädt %1 MB an Fotos; mit Fotos in Webgröße wären es etwa %2 MB.</translation>
    </message>
</context>
<context>
    <name>PreviewDescription</name>
    <message>
        <source>%1 × %2</source>
        <translation>%1 × %2</translation>
    </message>
    <message>
        <source>No photo</source>
        <translation>Kein Foto</translation>
    </message>
    <message>
        <source>Photo %1 of %2: %3</source>
        <translation>Foto %1 von %2: %3</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>ProgressBar</name>
    <message>
        <source>%1 of %2 photos</source>
        <translation>%1 von %2 Fotos</translation>
    </message>
    <message>
        <source>, %1 photos/s</source>
        <translation>, %1 Fotos/s</translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, noch %1</translation>
    </message>
</context>
<context>
    <name>ShowEditor</name>
    <message>
        <source>1 slide</source>
        <translation>1 Dia</translation>
    </message>
    <message>
        <source>%1 slides</source>
        <translation>%1 Dias</translation>
    </message>
    <message>
        <source>Slide show name:</source>
        <translation>Name der Diashow:</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Add Photos...</source>
        <translation>Fotos hinzufügen...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig:</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen:</translation>
    </message>
    <message>
        <source>Edit Caption</source>
        <translation>Bildtext bearbeiten</translation>
    </message>
    <message>
        <source>Remove Slide</source>
        <translation>Dia entfernen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a slide show that can be edited: %2.</source>
        <translation>„%1“ ist keine Diashow, die bearbeitet werden kann: %2.</translation>
    </message>
    <message>
        <source>A slide show batch is writing to the folder &quot;%1&quot;, so the slide show &quot;%2&quot; is opened read-only. Finish or close that batch, then open the slide show again to edit it.</source>
        <translation>Ein Diashow-Durchgang schreibt gerade in den Ordner „%1“, daher wird die Diashow „%2“ schreibgeschützt geöffnet. Beenden oder schließen Sie diesen Durchgang und öffnen Sie die Diashow dann erneut, um sie zu bearbeiten.</translation>
    </message>
    <message>
        <source>%1 - Edit Slide Show[*]</source>
        <translation>%1 - Diashow bearbeiten[*]</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Gespeichert: %1</translation>
    </message>
    <message>
        <source>Choose the folder of the photos to add</source>
        <translation>Den Ordner der hinzuzufügenden Fotos wählen</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; holds no photos to add.</source>
        <translation>Der Ordner „%1“ enthält keine Fotos zum Hinzufügen.</translation>
    </message>
    <message>
        <source>Adding the photos of &quot;%1&quot;…</source>
        <translation>Die Fotos aus „%1“ werden hinzugefügt…</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; has changes that are not saved.

Save them before closing?</source>
        <translation>Die Diashow „%1“ hat ungespeicherte Änderungen.

Vor dem Schließen speichern?</translation>
    </message>
</context>
<context>
    <name>ShowMaker</name>
    <message>
        <source>its name cannot be read on this system</source>
        <translation>sein Name ist auf diesem System nicht lesbar</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>fotoweave: not added: %1: %2</source>
        <translation>fotoweave: nicht hinzugefügt: %1: %2</translation>
    </message>
    <message>
        <source>fotoweave: the captions file names &quot;%1&quot;, which is no photo of the source folder.</source>
        <translation>fotoweave: Die Datei mit den Bildtexten nennt „%1“, das kein Foto des Quellordners ist.</translation>
    </message>
    <message>
        <source>the source folder &quot;%1&quot; is not a folder.</source>
        <translation>der Quellordner „%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>the target &quot;%1&quot; is not a folder.</source>
        <translation>das Ziel „%1“ ist kein Ordner.</translation>
    </message>
    <message>
        <source>the target folder &quot;%1&quot; cannot be made.</source>
        <translation>der Zielordner „%1“ kann nicht angelegt werden.</translation>
    </message>
    <message>
        <source>fotoweave: the slide show continued is web-sized, so its new photos are too.</source>
        <translation>fotoweave: Die fortgesetzte Diashow hat Fotos in Webgröße, also auch ihre neuen Fotos.</translation>
    </message>
    <message>
        <source>fotoweave: the slide show continued is of originals, so its new photos are too.</source>
        <translation>fotoweave: Die fortgesetzte Diashow besteht aus Originalen, also auch ihre neuen Fotos.</translation>
    </message>
    <message>
        <source>a new slide show</source>
        <translation>eine neue Diashow</translation>
    </message>
    <message>
        <source>the slide show there continued after its %1 slides</source>
        <translation>die dortige Diashow, fortgesetzt nach ihren %1 Dias</translation>
    </message>
    <message>
        <source>a new slide show replacing the one there</source>
        <translation>eine neue Diashow anstelle der dortigen</translation>
    </message>
    <message>
        <source>it holds a slide show</source>
        <translation>sie enthält eine Diashow</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is there already: %2.
Give %3 to say what to do with it.</source>
        <translation>„%1“ ist bereits vorhanden: %2.
Geben Sie %3 an, um zu sagen, was damit geschehen soll.</translation>
    </message>
    <message>
        <source>--continue or --replace</source>
        <translation>--continue oder --replace</translation>
    </message>
    <message>
        <source>--replace</source>
        <translation>--replace</translation>
    </message>
    <message>
        <source>Would write &quot;%1&quot;: %2, named &quot;%3&quot;%4.</source>
        <translation>Würde „%1“ schreiben: %2, benannt „%3“%4.</translation>
    </message>
    <message>
        <source>, with web-sized photos</source>
        <translation>, mit Fotos in Webgröße</translation>
    </message>
    <message>
        <source>  left out: %1 (the slide show holds it)</source>
        <translation>  ausgelassen: %1 (die Diashow enthält es)</translation>
    </message>
    <message>
        <source>  left out: %1 (no caption)</source>
        <translation>  ausgelassen: %1 (kein Bildtext)</translation>
    </message>
    <message>
        <source> as </source>
        <translation> als </translation>
    </message>
    <message>
        <source>(no caption)</source>
        <translation>(kein Bildtext)</translation>
    </message>
    <message>
        <source>the photo needs more memory or time to decode than a photo may take.</source>
        <translation>das Foto braucht zum Dekodieren mehr Speicher oder Zeit, als einem Foto zusteht.</translation>
    </message>
    <message>
        <source>the photo cannot be read.</source>
        <translation>das Foto kann nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>SlideListModel</name>
    <message>
        <source>Edit Caption</source>
        <translation>Bildtext bearbeiten</translation>
    </message>
    <message>
        <source>Move Slide</source>
        <translation>Dia verschieben</translation>
    </message>
    <message>
        <source>Remove Slide</source>
        <translation>Dia entfernen</translation>
    </message>
    <message>
        <source>Add Photos</source>
        <translation>Fotos hinzufügen</translation>
    </message>
    <message>
        <source>Rename Slide Show</source>
        <translation>Diashow umbenennen</translation>
    </message>
</context>
<context>
    <name>SlideShow</name>
    <message>
        <source>The slide show &quot;%1&quot; could not be created: %2.</source>
        <translation>Die Diashow „%1“ konnte nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>No target folder is chosen. Choose a target folder for the slide show first.</source>
        <translation>Es ist kein Zielordner gewählt. Wählen Sie zuerst einen Zielordner für die Diashow.</translation>
    </message>
    <message>
        <source>No slide show is open, so the image cannot be added.</source>
        <translation>Es ist keine Diashow geöffnet, daher kann das Bild nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <source>No slide show is open, so the image cannot be taken back.</source>
        <translation>Es ist keine Diashow geöffnet, daher kann das Bild nicht zurückgenommen werden.</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; could not be kept as &quot;%2&quot;: %3. Nothing was replaced.</source>
        <translation>Die Diashow „%1“ konnte nicht als „%2“ aufbewahrt werden: %3. Nichts wurde ersetzt.</translation>
    </message>
    <message>
        <source>The slide show that was there is kept as &quot;%1&quot;.</source>
        <translation>Die Diashow, die dort war, wird als „%1“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; could not be kept: too many replaced slide shows are beside it. Nothing was replaced.</source>
        <translation>Die Diashow „%1“ konnte nicht aufbewahrt werden: Neben ihr liegen zu viele ersetzte Diashows. Nichts wurde ersetzt.</translation>
    </message>
    <message>
        <source>No slide show is open, so it cannot be completed.</source>
        <translation>Es ist keine Diashow geöffnet, daher kann sie nicht abgeschlossen werden.</translation>
    </message>
</context>
<context>
    <name>SlideShowReader</name>
    <message>
        <source>it is a folder</source>
        <translation>sie ist ein Ordner</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is far larger than any page this program writes</source>
        <translation>sie ist weit größer als jede Seite, die dieses Programm schreibt</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>sie kann nicht gelesen werden (%1)</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>sie ist leer</translation>
    </message>
    <message>
        <source>it holds nothing but NUL bytes</source>
        <translation>sie enthält nur NUL-Bytes</translation>
    </message>
    <message>
        <source>it does not begin with the page head this program writes</source>
        <translation>sie beginnt nicht mit dem Seitenkopf, den dieses Programm schreibt</translation>
    </message>
    <message>
        <source>after its head it holds text that this program does not write</source>
        <translation>nach ihrem Kopf enthält sie Text, den dieses Programm nicht schreibt</translation>
    </message>
    <message>
        <source>after slide %1 it holds text that this program does not write</source>
        <translation>nach Dia %1 enthält sie Text, den dieses Programm nicht schreibt</translation>
    </message>
    <message>
        <source>slide %1 is not written the way this program writes slides</source>
        <translation>Dia %1 ist nicht so geschrieben, wie dieses Programm Dias schreibt</translation>
    </message>
    <message>
        <source>its closing rows are not written the way this program writes them</source>
        <translation>ihre Schlusszeilen sind nicht so geschrieben, wie dieses Programm sie schreibt</translation>
    </message>
</context>
<context>
    <name>SlideShowStart</name>
    <message>
        <source>Continue</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>no slides</source>
        <translation>keinen Dias</translation>
    </message>
    <message>
        <source>1 slide</source>
        <translation>1 Dia</translation>
    </message>
    <message>
        <source>%1 slides</source>
        <translation>%1 Dias</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds the slide show &quot;%2&quot;, </source>
        <translation>„%1“ enthält die Diashow „%2“, die </translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a slide show that was </source>
        <translation>„%1“ enthält eine Diashow, die </translation>
    </message>
    <message>
        <source>cut short at its end, as a crash or a full disk leaves a page. </source>
        <translation>an ihrem Ende abgeschnitten ist, wie es ein Absturz oder eine volle Festplatte hinterlässt. </translation>
    </message>
    <message>
        <source>It holds no complete slide.</source>
        <translation>Sie enthält kein vollständiges Dia.</translation>
    </message>
    <message>
        <source>Its 1 complete slide is kept.</source>
        <translation>Ihr 1 vollständiges Dia bleibt erhalten.</translation>
    </message>
    <message>
        <source>Its %1 complete slides are kept.</source>
        <translation>Ihre %1 vollständigen Dias bleiben erhalten.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds the slide show &quot;%2&quot; with %3.</source>
        <translation>„%1“ enthält die Diashow „%2“ mit %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds an unfinished slide show with %2.</source>
        <translation>„%1“ enthält eine unfertige Diashow mit %2.</translation>
    </message>
    <message>
        <source>

Continue it, adding new photos after its last slide, or replace it with a new slide show?</source>
        <translation>

Sie fortsetzen und neue Fotos nach ihrem letzten Dia hinzufügen, oder sie durch eine neue Diashow ersetzen?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a slide show that can be continued: %2.

Replace it with a new slide show?</source>
        <translation>„%1“ ist keine Diashow, die fortgesetzt werden kann: %2.

Durch eine neue Diashow ersetzen?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>SlideShowTemplates</name>
    <message>
        <source>The template &quot;%1&quot; could not be read: %2.</source>
        <translation>Die Vorlage „%1“ konnte nicht gelesen werden: %2.</translation>
    </message>
</context>
<context>
    <name>State2</name>
    <message>
        <source>Source Folder does not exist!</source>
        <translation>Der Quellordner existiert nicht!</translation>
    </message>
    <message>
        <source>
Nothing was taken back.</source>
        <translation>
Nichts wurde zurückgenommen.</translation>
    </message>
    <message>
        <source>Last image reached.
</source>
        <translation>Letztes Bild erreicht.
</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>%1 of %2 · %3 · %4 added</source>
        <translation>%1 von %2 · %3 · %4 hinzugefügt</translation>
    </message>
    <message>
        <source>, %1 in the show</source>
        <translation>, %1 in der Diashow</translation>
    </message>
    <message>
        <source>1 slide</source>
        <translation>1 Dia</translation>
    </message>
    <message>
        <source>%1 slides</source>
        <translation>%1 Dias</translation>
    </message>
    <message>
        <source>%1 of %2 added to %3</source>
        <translation>%1 von %2 zu %3 hinzugefügt</translation>
    </message>
    <message>
        <source>; the show holds </source>
        <translation>; die Diashow enthält </translation>
    </message>
    <message>
        <source>Finished: </source>
        <translation>Fertig: </translation>
    </message>
    <message>
        <source>%1 × %2 px, %3</source>
        <translation>%1 × %2 px, %3</translation>
    </message>
</context>
<context>
    <name>TargetLock</name>
    <message>
        <source>a folder</source>
        <translation>ein Ordner</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>eine symbolische Verknüpfung</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a lock this program writes, so no slide show can be written to the target folder &quot;%3&quot;. Move or rename it, or choose another target folder.</source>
        <translation>„%1“ ist %2, keine Sperre, die dieses Programm schreibt, daher kann keine Diashow in den Zielordner „%3“ geschrieben werden. Verschieben oder benennen Sie es um, oder wählen Sie einen anderen Zielordner.</translation>
    </message>
    <message>
        <source>, so it is not known whether another slide show batch is writing to the target folder &quot;%1&quot;. If none is, delete that file; or choose another target folder.</source>
        <translation>, daher ist unbekannt, ob ein anderer Diashow-Durchgang in den Zielordner „%1“ schreibt. Wenn keiner es tut, löschen Sie diese Datei, oder wählen Sie einen anderen Zielordner.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read (%2)</source>
        <translation>„%1“ kann nicht gelesen werden (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not hold what this program writes into its locks</source>
        <translation>„%1“ enthält nicht, was dieses Programm in seine Sperren schreibt</translation>
    </message>
    <message>
        <source>Another slide show batch is writing to the target folder &quot;%1&quot;: %2 (process %3 on %4) holds it. Finish or close that batch first, or choose another target folder.</source>
        <translation>Ein anderer Diashow-Durchgang schreibt in den Zielordner „%1“: %2 (Prozess %3 auf %4) hält ihn. Beenden oder schließen Sie zuerst diesen Durchgang, oder wählen Sie einen anderen Zielordner.</translation>
    </message>
    <message>
        <source>a program</source>
        <translation>ein Programm</translation>
    </message>
</context>
<context>
    <name>TextStream</name>
    <message>
        <source>could not be opened</source>
        <translation>konnte nicht geöffnet werden</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>sie ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>another file has taken its place</source>
        <translation>eine andere Datei hat ihren Platz eingenommen</translation>
    </message>
    <message>
        <source>another program has changed it since it was written</source>
        <translation>ein anderes Programm hat sie geändert, seit sie geschrieben wurde</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; is already closed.</source>
        <translation>Die Diashow „%1“ ist bereits geschlossen.</translation>
    </message>
    <message>
        <source>could not be written</source>
        <translation>konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>could not be cut back</source>
        <translation>konnte nicht gekürzt werden</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; %2: %3.</source>
        <translation>Die Diashow „%1“ %2: %3.</translation>
    </message>
</context>
<context>
    <name>TypedFolder</name>
    <message>
        <source>Type the whole path of a folder, starting with %1</source>
        <translation>Geben Sie den vollständigen Pfad eines Ordners ein, beginnend mit %1</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>Es gibt keinen Ordner %1</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 ist eine Datei, kein Ordner</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read</source>
        <translation>Der Ordner %1 kann nicht gelesen werden</translation>
    </message>
</context>
<context>
    <name>WebCopy</name>
    <message>
        <source>The web-sized copy of &quot;%1&quot; was not made: the photo needs more memory or time to decode than a photo may take.</source>
        <translation>Die Kopie in Webgröße von „%1“ wurde nicht erstellt: Das Foto braucht zum Dekodieren mehr Speicher oder Zeit, als einem Foto zusteht.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; was not made: the photo cannot be read.</source>
        <translation>Die Kopie in Webgröße von „%1“ wurde nicht erstellt: Das Foto kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; could not be made: %2.</source>
        <translation>Die Kopie in Webgröße von „%1“ konnte nicht erstellt werden: %2.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; could not be made.</source>
        <translation>Die Kopie in Webgröße von „%1“ konnte nicht erstellt werden.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; could not be written to &quot;%2&quot;: %3.</source>
        <translation>Die Kopie in Webgröße von „%1“ konnte nicht nach „%2“ geschrieben werden: %3.</translation>
    </message>
    <message>
        <source>The thumbnail of &quot;%1&quot; could not be written to &quot;%2&quot;: %3.</source>
        <translation>Das Vorschaubild von „%1“ konnte nicht nach „%2“ geschrieben werden: %3.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; was not made.</source>
        <translation>Die Kopie in Webgröße von „%1“ wurde nicht erstellt.</translation>
    </message>
</context>
<context>
    <name>frmAbout</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;System Info...</source>
        <translation>&amp;Systeminformationen...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source> Creates Fotoweaves</source>
        <translation> Erstellt Fotoweaves</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Systeminformationen sind zurzeit nicht verfügbar</translation>
    </message>
</context>
</TS>
