<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>Shown with this photo in the slide show; Enter adds the photo</source>
        <translation>Affichée avec cette photo dans le diaporama ; Entrée ajoute la photo</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Aperçu</translation>
    </message>
    <message>
        <source>Shows the photo before this one again</source>
        <translation>Affiche de nouveau la photo précédente</translation>
    </message>
    <message>
        <source>Leaves this photo out and shows the next</source>
        <translation>Laisse cette photo de côté et affiche la suivante</translation>
    </message>
    <message>
        <source>Adds this photo, with its caption, to the slide show</source>
        <translation>Ajoute cette photo, avec sa légende, au diaporama</translation>
    </message>
    <message>
        <source>Opens the slide show&apos;s page in the web browser</source>
        <translation>Ouvre la page du diaporama dans le navigateur web</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Photo, full screen</source>
        <translation>Photo, plein écran</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>Enter adds the photo; Escape returns to the main window</source>
        <translation>Entrée ajoute la photo ; Échap revient à la fenêtre principale</translation>
    </message>
    <message>
        <source>The folder whose photos are offered</source>
        <translation>Le dossier dont les photos sont proposées</translation>
    </message>
    <message>
        <source>The folder the slide show&apos;s page is written to</source>
        <translation>Le dossier où la page du diaporama est écrite</translation>
    </message>
    <message>
        <source>Select source folder</source>
        <translation>Choisir le dossier source</translation>
    </message>
    <message>
        <source>Select target folder</source>
        <translation>Choisir le dossier cible</translation>
    </message>
    <message>
        <source>Found images</source>
        <translation>Images trouvées</translation>
    </message>
    <message>
        <source>The photos that will be offered, one by one, in this order</source>
        <translation>Les photos qui seront proposées, une à une, dans cet ordre</translation>
    </message>
    <message>
        <source>Starts offering the photos</source>
        <translation>Commence à proposer les photos</translation>
    </message>
    <message>
        <source>Slides</source>
        <translation>Diapositives</translation>
    </message>
    <message>
        <source>Enter edits a caption, Delete removes a slide, Ctrl+Up and Ctrl+Down move it</source>
        <translation>Entrée modifie une légende, Suppr retire une diapositive, Ctrl+Haut et Ctrl+Bas la déplacent</translation>
    </message>
</context>
<context>
    <name>CaptionFile</name>
    <message>
        <source>The captions file &quot;%1&quot; cannot be read: %2.</source>
        <translation>Le fichier de légendes «&#xa0;%1&#xa0;» ne peut pas être lu&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The captions file &quot;%1&quot; cannot be read: it is not UTF-8 text.</source>
        <translation>Le fichier de légendes «&#xa0;%1&#xa0;» ne peut pas être lu&#xa0;: ce n’est pas du texte UTF-8.</translation>
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
        <translation>Utilisation&#xa0;: fotoweave [COMMANDE]
Transforme un dossier de photos en diaporama web légendé, SlideShow.htm.

Sans commande, la fenêtre de Fotoweave s’ouvre.

Commandes&#xa0;:
  make SOURCE [CIBLE]    fait le diaporama des photos de SOURCE sans fenêtre
                         (voir fotoweave make --help)

Options&#xa0;:
  -h, --help             affiche cette aide
  -v, --version          affiche la version
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
        <translation>Utilisation&#xa0;: fotoweave make [OPTION]... SOURCE [CIBLE]
Fait le diaporama SlideShow.htm des photos (JPEG, BMP et GIF) du dossier
SOURCE, dans le dossier CIBLE (SOURCE s’il n’est pas donné&#xa0;; créé s’il
manque), sans fenêtre. Les photos viennent dans l’ordre où la fenêtre les
propose, et la page et les copies sont celles que fait la fenêtre.

Options&#xa0;:
  --name NOM            le nom du diaporama (par défaut &quot;My Slide Show&quot;)
  --captions metadata   légendes tirées des descriptions que portent les
                        photos, comme la fenêtre les suggère (par défaut)
  --captions FICHIER    légendes tirées d’un fichier CSV ou TSV en UTF-8 aux
                        lignes &quot;nom de fichier, légende&quot;&#xa0;; une ligne
                        d’en-tête peut venir en premier
  --captions none       pas de légendes
  --only-captioned      laisse de côté les photos sans légende
  --web-sized           photos au format web (plus grand côté 2048 px) avec
                        vignettes&#xa0;; CIBLE ne doit pas être SOURCE
  --continue            ajoute les photos après la dernière diapositive d’un
                        diaporama déjà dans CIBLE (les photos qu’il contient
                        sont laissées de côté)
  --replace             remplace un diaporama déjà dans CIBLE
  --dry-run             dit ce qui serait fait, et ne change rien
  -q, --quiet           n’affiche pas la progression
  -h, --help            affiche cette aide

Un diaporama déjà dans CIBLE reste intact, sauf si --continue ou --replace
est donné.

Code de retour&#xa0;:
  0    toutes les photos sont entrées
  1    certaines photos n’ont pas pu être lues ou copiées (chacune est nommée
       sur stderr)&#xa0;; la page est complète malgré tout
  2    une erreur d’utilisation, ou CIBLE refusée&#xa0;; rien n’a été modifié
  130  arrêté par SIGINT (Ctrl+C), 143 arrêté par SIGTERM&#xa0;: la page est
       terminée avec les diapositives ajoutées jusque-là
</translation>
    </message>
    <message>
        <source>fotoweave: %1
Try &apos;%2&apos; for more.
</source>
        <translation>fotoweave&#xa0;: %1
Essayez &apos;%2&apos; pour en savoir plus.
</translation>
    </message>
    <message>
        <source>make needs the folder of the photos.</source>
        <translation>make a besoin du dossier des photos.</translation>
    </message>
    <message>
        <source>make takes a source and at most one target folder.</source>
        <translation>make prend un dossier source et au plus un dossier cible.</translation>
    </message>
    <message>
        <source>--%1 is given more than once.</source>
        <translation>--%1 est donné plus d’une fois.</translation>
    </message>
    <message>
        <source>--continue and --replace cannot both be given.</source>
        <translation>--continue et --replace ne peuvent pas être donnés ensemble.</translation>
    </message>
    <message>
        <source>there is no command &quot;%1&quot;.</source>
        <translation>il n’y a pas de commande «&#xa0;%1&#xa0;».</translation>
    </message>
</context>
<context>
    <name>ConsolePlatform</name>
    <message>
        <source> or </source>
        <translation> ou </translation>
    </message>
    <message>
        <source>
Nothing was changed. Give %1 to say what to do with it.</source>
        <translation>
Rien n’a été modifié. Donnez %1 pour dire quoi en faire.</translation>
    </message>
</context>
<context>
    <name>EditedShow</name>
    <message>
        <source>The slide show &quot;%1&quot; could not be saved: %2.</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» n’a pas pu être enregistré&#xa0;: %2.</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message>
        <source>Select folders:</source>
        <translation>Choisir les dossiers&#xa0;:</translation>
    </message>
    <message>
        <source>Se&amp;lect...</source>
        <translation>&amp;Choisir...</translation>
    </message>
    <message>
        <source>Selec&amp;t...</source>
        <translation>C&amp;hoisir...</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Annuler</translation>
    </message>
    <message>
        <source>&amp;Web-sized photos (longest side 2048 px)</source>
        <translation>Photos au format &amp;web (plus grand côté 2048 px)</translation>
    </message>
    <message>
        <source>Offer skipped photos a&amp;gain</source>
        <translation>Proposer à nouveau les photos &amp;ignorées</translation>
    </message>
    <message>
        <source>When a slide show is continued, photos skipped in its earlier sittings are offered too.</source>
        <translation>Quand un diaporama est poursuivi, les photos ignorées lors de ses séances précédentes sont proposées aussi.</translation>
    </message>
    <message>
        <source>The slide show being continued keeps the size of its photos.</source>
        <translation>Le diaporama poursuivi garde la taille de ses photos.</translation>
    </message>
    <message>
        <source>Writes each added photo as a JPEG of at most 2048 px, with a thumbnail; the originals stay as they are.</source>
        <translation>Écrit chaque photo ajoutée en JPEG d’au plus 2048 px, avec une vignette&#xa0;; les originaux restent tels quels.</translation>
    </message>
    <message>
        <source>Writes each added photo as a JPEG of at most 2048 px, with a thumbnail, into the folder SlideShow-photos beside the page; the originals stay as they are.</source>
        <translation>Écrit chaque photo ajoutée en JPEG d’au plus 2048 px, avec une vignette, dans le dossier SlideShow-photos à côté de la page&#xa0;; les originaux restent tels quels.</translation>
    </message>
    <message>
        <source>: its name is not valid in this system&apos;s encoding; rename it</source>
        <translation>&#xa0;: son nom n’est pas valide dans l’encodage de ce système&#xa0;; renommez-le</translation>
    </message>
    <message>
        <source>: not an ordinary file</source>
        <translation>&#xa0;: pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>1 photo left out</source>
        <translation>1 photo laissée de côté</translation>
    </message>
    <message>
        <source>%1 photos left out</source>
        <translation>%1 photos laissées de côté</translation>
    </message>
    <message>
        <source>: its name cannot be read</source>
        <translation>&#xa0;: son nom est illisible</translation>
    </message>
    <message>
        <source>: names cannot be read</source>
        <translation>&#xa0;: noms illisibles</translation>
    </message>
    <message>
        <source>: not ordinary files</source>
        <translation>&#xa0;: pas des fichiers ordinaires</translation>
    </message>
    <message>
        <source>: unreadable names, not ordinary files</source>
        <translation>&#xa0;: noms illisibles, pas des fichiers ordinaires</translation>
    </message>
    <message>
        <source>S&amp;ource:</source>
        <translation>&amp;Source :</translation>
    </message>
    <message>
        <source>Ta&amp;rget:</source>
        <translation>Ci&amp;ble :</translation>
    </message>
    <message>
        <source>Found &amp;images:</source>
        <translation>Images &amp;trouvées :</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>&amp;View SlideShow</source>
        <translation>&amp;Voir le diaporama</translation>
    </message>
    <message>
        <source>Slide Show Name:</source>
        <translation>Titre&#xa0;:</translation>
    </message>
    <message>
        <source>Image size:</source>
        <translation>Taille&#xa0;:</translation>
    </message>
    <message>
        <source>Caption</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>&amp;Skip</source>
        <translation>&amp;Passer</translation>
    </message>
    <message>
        <source>&amp;Add to SlideShow</source>
        <translation>&amp;Ajouter au diaporama</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Retour</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Ouvrir</translation>
    </message>
    <message>
        <source>&amp;Edit Slide Show...</source>
        <translation>&amp;Modifier un diaporama...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>&amp;UserGuide</source>
        <translation>&amp;Guide de l’utilisateur</translation>
    </message>
    <message>
        <source>%1 of %2 · %3</source>
        <translation>%1 sur %2 · %3</translation>
    </message>
    <message>
        <source>Loading %1…</source>
        <translation>Chargement de %1…</translation>
    </message>
    <message>
        <source>Choose the slide show to edit</source>
        <translation>Choisir le diaporama à modifier</translation>
    </message>
    <message>
        <source>Slide show pages (*.htm *.html)</source>
        <translation>Pages de diaporama (*.htm *.html)</translation>
    </message>
</context>
<context>
    <name>FullScreenPreview</name>
    <message>
        <source>Caption</source>
        <translation>Légende</translation>
    </message>
    <message>
        <source>Enter adds · Alt+Right or Page Down skips · Alt+Left or Page Up goes back · Escape leaves</source>
        <translation>Entrée ajoute · Alt+Droite ou Page suivante passe · Alt+Gauche ou Page précédente revient · Échap quitte</translation>
    </message>
</context>
<context>
    <name>General</name>
    <message>
        <source>An unexpected failure occurred.</source>
        <translation>Une erreur inattendue s’est produite.</translation>
    </message>
</context>
<context>
    <name>ImageCopy</name>
    <message>
        <source>The image &quot;%1&quot; could not be copied to &quot;%2&quot;: %3.</source>
        <translation>L’image «&#xa0;%1&#xa0;» n’a pas pu être copiée vers «&#xa0;%2&#xa0;»&#xa0;: %3.</translation>
    </message>
</context>
<context>
    <name>ImageFolder</name>
    <message>
        <source>The folder &quot;%1&quot; could not be read: %2.</source>
        <translation>Le dossier «&#xa0;%1&#xa0;» n’a pas pu être lu&#xa0;: %2.</translation>
    </message>
</context>
<context>
    <name>Mediator</name>
    <message>
        <source>Source Folder does not exist!</source>
        <translation>Le dossier source n’existe pas&#xa0;!</translation>
    </message>
    <message>
        <source>No program could be found to open the page &quot;%1&quot;.</source>
        <translation>Aucun programme n’a été trouvé pour ouvrir la page «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>Select a Target Folder</source>
        <translation>Choisir un dossier cible</translation>
    </message>
    <message>
        <source>Select a Source Folder</source>
        <translation>Choisir un dossier source</translation>
    </message>
    <message>
        <source>Damaged: only part of this photo could be read</source>
        <translation>Endommagée&#xa0;: seule une partie de cette photo a pu être lue</translation>
    </message>
    <message>
        <source>Error loading image</source>
        <translation>Erreur de chargement de l’image</translation>
    </message>
</context>
<context>
    <name>OwnFolder</name>
    <message>
        <source>a symbolic link</source>
        <translation>un lien symbolique</translation>
    </message>
    <message>
        <source>a file</source>
        <translation>un fichier</translation>
    </message>
    <message>
        <source>a FIFO</source>
        <translation>une FIFO</translation>
    </message>
    <message>
        <source>a socket</source>
        <translation>un socket</translation>
    </message>
    <message>
        <source>a device</source>
        <translation>un périphérique</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; could not be made: %2.</source>
        <translation>Le dossier «&#xa0;%1&#xa0;» n’a pas pu être créé&#xa0;: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a folder, so nothing is written into it.</source>
        <translation>«&#xa0;%1&#xa0;» est %2, pas un dossier, donc rien n’y est écrit.</translation>
    </message>
</context>
<context>
    <name>PageWeight</name>
    <message>
        <source>The page loads %1 MB of photos; with Web-sized photos it would be about %2 MB.</source>
        <translation>La page charge %1 Mo de photos&#xa0;; avec des photos au format web, ce serait environ %2 Mo.</translation>
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
        <translation>Aucune photo</translation>
    </message>
    <message>
        <source>Photo %1 of %2: %3</source>
        <translation>Photo %1 sur %2 : %3</translation>
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
        <translation>%1 sur %2 photos</translation>
    </message>
    <message>
        <source>, %1 photos/s</source>
        <translation>, %1 photos/s</translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, reste %1</translation>
    </message>
</context>
<context>
    <name>ShowEditor</name>
    <message>
        <source>1 slide</source>
        <translation>1 diapositive</translation>
    </message>
    <message>
        <source>%1 slides</source>
        <translation>%1 diapositives</translation>
    </message>
    <message>
        <source>Slide show name:</source>
        <translation>Nom du diaporama&#xa0;:</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>Add Photos...</source>
        <translation>Ajouter des photos...</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Enregistrer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Édition</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Annuler&#xa0;:</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Rétablir&#xa0;:</translation>
    </message>
    <message>
        <source>Edit Caption</source>
        <translation>Modifier la légende</translation>
    </message>
    <message>
        <source>Remove Slide</source>
        <translation>Retirer la diapositive</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Monter</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Descendre</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a slide show that can be edited: %2.</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un diaporama modifiable&#xa0;: %2.</translation>
    </message>
    <message>
        <source>A slide show batch is writing to the folder &quot;%1&quot;, so the slide show &quot;%2&quot; is opened read-only. Finish or close that batch, then open the slide show again to edit it.</source>
        <translation>Un lot de diaporama écrit dans le dossier «&#xa0;%1&#xa0;», le diaporama «&#xa0;%2&#xa0;» est donc ouvert en lecture seule. Terminez ou fermez ce lot, puis rouvrez le diaporama pour le modifier.</translation>
    </message>
    <message>
        <source>%1 - Edit Slide Show[*]</source>
        <translation>%1 - Modifier le diaporama[*]</translation>
    </message>
    <message>
        <source>Saved: %1</source>
        <translation>Enregistré&#xa0;: %1</translation>
    </message>
    <message>
        <source>Choose the folder of the photos to add</source>
        <translation>Choisir le dossier des photos à ajouter</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; holds no photos to add.</source>
        <translation>Le dossier «&#xa0;%1&#xa0;» ne contient aucune photo à ajouter.</translation>
    </message>
    <message>
        <source>Adding the photos of &quot;%1&quot;…</source>
        <translation>Ajout des photos de «&#xa0;%1&#xa0;»…</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Abandonner</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; has changes that are not saved.

Save them before closing?</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» a des modifications non enregistrées.

Les enregistrer avant de fermer&#xa0;?</translation>
    </message>
</context>
<context>
    <name>ShowMaker</name>
    <message>
        <source>its name cannot be read on this system</source>
        <translation>son nom est illisible sur ce système</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>fotoweave: not added: %1: %2</source>
        <translation>fotoweave&#xa0;: non ajoutée&#xa0;: %1&#xa0;: %2</translation>
    </message>
    <message>
        <source>fotoweave: the captions file names &quot;%1&quot;, which is no photo of the source folder.</source>
        <translation>fotoweave&#xa0;: le fichier de légendes nomme «&#xa0;%1&#xa0;», qui n’est pas une photo du dossier source.</translation>
    </message>
    <message>
        <source>the source folder &quot;%1&quot; is not a folder.</source>
        <translation>le dossier source «&#xa0;%1&#xa0;» n’est pas un dossier.</translation>
    </message>
    <message>
        <source>the target &quot;%1&quot; is not a folder.</source>
        <translation>la cible «&#xa0;%1&#xa0;» n’est pas un dossier.</translation>
    </message>
    <message>
        <source>the target folder &quot;%1&quot; cannot be made.</source>
        <translation>le dossier cible «&#xa0;%1&#xa0;» ne peut pas être créé.</translation>
    </message>
    <message>
        <source>fotoweave: the slide show continued is web-sized, so its new photos are too.</source>
        <translation>fotoweave&#xa0;: le diaporama poursuivi est au format web, ses nouvelles photos le sont donc aussi.</translation>
    </message>
    <message>
        <source>fotoweave: the slide show continued is of originals, so its new photos are too.</source>
        <translation>fotoweave&#xa0;: le diaporama poursuivi est fait d’originaux, ses nouvelles photos le sont donc aussi.</translation>
    </message>
    <message>
        <source>a new slide show</source>
        <translation>un nouveau diaporama</translation>
    </message>
    <message>
        <source>the slide show there continued after its %1 slides</source>
        <translation>le diaporama existant, poursuivi après ses %1 diapositives</translation>
    </message>
    <message>
        <source>a new slide show replacing the one there</source>
        <translation>un nouveau diaporama remplaçant celui qui s’y trouve</translation>
    </message>
    <message>
        <source>it holds a slide show</source>
        <translation>il contient un diaporama</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is there already: %2.
Give %3 to say what to do with it.</source>
        <translation>«&#xa0;%1&#xa0;» existe déjà&#xa0;: %2.
Donnez %3 pour dire quoi en faire.</translation>
    </message>
    <message>
        <source>--continue or --replace</source>
        <translation>--continue ou --replace</translation>
    </message>
    <message>
        <source>--replace</source>
        <translation>--replace</translation>
    </message>
    <message>
        <source>Would write &quot;%1&quot;: %2, named &quot;%3&quot;%4.</source>
        <translation>Écrirait «&#xa0;%1&#xa0;»&#xa0;: %2, nommé «&#xa0;%3&#xa0;»%4.</translation>
    </message>
    <message>
        <source>, with web-sized photos</source>
        <translation>, avec des photos au format web</translation>
    </message>
    <message>
        <source>  left out: %1 (the slide show holds it)</source>
        <translation>  laissée de côté&#xa0;: %1 (le diaporama la contient)</translation>
    </message>
    <message>
        <source>  left out: %1 (no caption)</source>
        <translation>  laissée de côté&#xa0;: %1 (pas de légende)</translation>
    </message>
    <message>
        <source> as </source>
        <translation> sous le nom </translation>
    </message>
    <message>
        <source>(no caption)</source>
        <translation>(pas de légende)</translation>
    </message>
    <message>
        <source>the photo needs more memory or time to decode than a photo may take.</source>
        <translation>la photo demande plus de mémoire ou de temps de décodage qu’une photo n’en a droit.</translation>
    </message>
    <message>
        <source>the photo cannot be read.</source>
        <translation>la photo ne peut pas être lue.</translation>
    </message>
</context>
<context>
    <name>SlideListModel</name>
    <message>
        <source>Edit Caption</source>
        <translation>modification de la légende</translation>
    </message>
    <message>
        <source>Move Slide</source>
        <translation>déplacement de la diapositive</translation>
    </message>
    <message>
        <source>Remove Slide</source>
        <translation>retrait de la diapositive</translation>
    </message>
    <message>
        <source>Add Photos</source>
        <translation>ajout de photos</translation>
    </message>
    <message>
        <source>Rename Slide Show</source>
        <translation>renommage du diaporama</translation>
    </message>
</context>
<context>
    <name>SlideShow</name>
    <message>
        <source>The slide show &quot;%1&quot; could not be created: %2.</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» n’a pas pu être créé&#xa0;: %2.</translation>
    </message>
    <message>
        <source>No target folder is chosen. Choose a target folder for the slide show first.</source>
        <translation>Aucun dossier cible n’est choisi. Choisissez d’abord un dossier cible pour le diaporama.</translation>
    </message>
    <message>
        <source>No slide show is open, so the image cannot be added.</source>
        <translation>Aucun diaporama n’est ouvert, l’image ne peut donc pas être ajoutée.</translation>
    </message>
    <message>
        <source>No slide show is open, so the image cannot be taken back.</source>
        <translation>Aucun diaporama n’est ouvert, l’image ne peut donc pas être retirée.</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; could not be kept as &quot;%2&quot;: %3. Nothing was replaced.</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» n’a pas pu être conservé sous «&#xa0;%2&#xa0;»&#xa0;: %3. Rien n’a été remplacé.</translation>
    </message>
    <message>
        <source>The slide show that was there is kept as &quot;%1&quot;.</source>
        <translation>Le diaporama qui s’y trouvait est conservé sous «&#xa0;%1&#xa0;».</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; could not be kept: too many replaced slide shows are beside it. Nothing was replaced.</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» n’a pas pu être conservé&#xa0;: trop de diaporamas remplacés se trouvent à côté. Rien n’a été remplacé.</translation>
    </message>
    <message>
        <source>No slide show is open, so it cannot be completed.</source>
        <translation>Aucun diaporama n’est ouvert, il ne peut donc pas être terminé.</translation>
    </message>
</context>
<context>
    <name>SlideShowReader</name>
    <message>
        <source>it is a folder</source>
        <translation>c’est un dossier</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is far larger than any page this program writes</source>
        <translation>il est bien plus grand que toute page écrite par ce programme</translation>
    </message>
    <message>
        <source>it cannot be read (%1)</source>
        <translation>il ne peut pas être lu (%1)</translation>
    </message>
    <message>
        <source>it is empty</source>
        <translation>il est vide</translation>
    </message>
    <message>
        <source>it holds nothing but NUL bytes</source>
        <translation>il ne contient que des octets NUL</translation>
    </message>
    <message>
        <source>it does not begin with the page head this program writes</source>
        <translation>il ne commence pas par l’en-tête de page écrit par ce programme</translation>
    </message>
    <message>
        <source>after its head it holds text that this program does not write</source>
        <translation>après son en-tête, il contient du texte que ce programme n’écrit pas</translation>
    </message>
    <message>
        <source>after slide %1 it holds text that this program does not write</source>
        <translation>après la diapositive %1, il contient du texte que ce programme n’écrit pas</translation>
    </message>
    <message>
        <source>slide %1 is not written the way this program writes slides</source>
        <translation>la diapositive %1 n’est pas écrite comme ce programme écrit les diapositives</translation>
    </message>
    <message>
        <source>its closing rows are not written the way this program writes them</source>
        <translation>ses lignes finales ne sont pas écrites comme ce programme les écrit</translation>
    </message>
</context>
<context>
    <name>SlideShowStart</name>
    <message>
        <source>Continue</source>
        <translation>Poursuivre</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Remplacer</translation>
    </message>
    <message>
        <source>no slides</source>
        <translation>aucune diapositive</translation>
    </message>
    <message>
        <source>1 slide</source>
        <translation>1 diapositive</translation>
    </message>
    <message>
        <source>%1 slides</source>
        <translation>%1 diapositives</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds the slide show &quot;%2&quot;, </source>
        <translation>«&#xa0;%1&#xa0;» contient le diaporama «&#xa0;%2&#xa0;», </translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds a slide show that was </source>
        <translation>«&#xa0;%1&#xa0;» contient un diaporama qui a été </translation>
    </message>
    <message>
        <source>cut short at its end, as a crash or a full disk leaves a page. </source>
        <translation>tronqué à la fin, comme le laisse un plantage ou un disque plein. </translation>
    </message>
    <message>
        <source>It holds no complete slide.</source>
        <translation>Il ne contient aucune diapositive complète.</translation>
    </message>
    <message>
        <source>Its 1 complete slide is kept.</source>
        <translation>Sa diapositive complète est conservée.</translation>
    </message>
    <message>
        <source>Its %1 complete slides are kept.</source>
        <translation>Ses %1 diapositives complètes sont conservées.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds the slide show &quot;%2&quot; with %3.</source>
        <translation>«&#xa0;%1&#xa0;» contient le diaporama «&#xa0;%2&#xa0;» avec %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds an unfinished slide show with %2.</source>
        <translation>«&#xa0;%1&#xa0;» contient un diaporama inachevé avec %2.</translation>
    </message>
    <message>
        <source>

Continue it, adding new photos after its last slide, or replace it with a new slide show?</source>
        <translation>

Le poursuivre, en ajoutant les nouvelles photos après sa dernière diapositive, ou le remplacer par un nouveau diaporama&#xa0;?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a slide show that can be continued: %2.

Replace it with a new slide show?</source>
        <translation>«&#xa0;%1&#xa0;» n’est pas un diaporama qui peut être poursuivi&#xa0;: %2.

Le remplacer par un nouveau diaporama&#xa0;?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>SlideShowTemplates</name>
    <message>
        <source>The template &quot;%1&quot; could not be read: %2.</source>
        <translation>Le modèle «&#xa0;%1&#xa0;» n’a pas pu être lu&#xa0;: %2.</translation>
    </message>
</context>
<context>
    <name>State2</name>
    <message>
        <source>Source Folder does not exist!</source>
        <translation>Le dossier source n’existe pas&#xa0;!</translation>
    </message>
    <message>
        <source>
Nothing was taken back.</source>
        <translation>
Rien n’a été retiré.</translation>
    </message>
    <message>
        <source>Last image reached.
</source>
        <translation>Dernière image atteinte.
</translation>
    </message>
</context>
<context>
    <name>StatusTexts</name>
    <message>
        <source>%1 of %2 · %3 · %4 added</source>
        <translation>%1 sur %2 · %3 · %4 ajoutées</translation>
    </message>
    <message>
        <source>, %1 in the show</source>
        <translation>, %1 dans le diaporama</translation>
    </message>
    <message>
        <source>1 slide</source>
        <translation>1 diapositive</translation>
    </message>
    <message>
        <source>%1 slides</source>
        <translation>%1 diapositives</translation>
    </message>
    <message>
        <source>%1 of %2 added to %3</source>
        <translation>%1 sur %2 ajoutées à %3</translation>
    </message>
    <message>
        <source>; the show holds </source>
        <translation>&#xa0;; le diaporama contient </translation>
    </message>
    <message>
        <source>Finished: </source>
        <translation>Terminé&#xa0;: </translation>
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
        <translation>un dossier</translation>
    </message>
    <message>
        <source>a symbolic link</source>
        <translation>un lien symbolique</translation>
    </message>
    <message>
        <source>not an ordinary file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is %2, not a lock this program writes, so no slide show can be written to the target folder &quot;%3&quot;. Move or rename it, or choose another target folder.</source>
        <translation>«&#xa0;%1&#xa0;» est %2, pas un verrou écrit par ce programme, donc aucun diaporama ne peut être écrit dans le dossier cible «&#xa0;%3&#xa0;». Déplacez-le ou renommez-le, ou choisissez un autre dossier cible.</translation>
    </message>
    <message>
        <source>, so it is not known whether another slide show batch is writing to the target folder &quot;%1&quot;. If none is, delete that file; or choose another target folder.</source>
        <translation>, on ne sait donc pas si un autre lot de diaporama écrit dans le dossier cible «&#xa0;%1&#xa0;». Si aucun ne le fait, supprimez ce fichier&#xa0;; ou choisissez un autre dossier cible.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read (%2)</source>
        <translation>«&#xa0;%1&#xa0;» ne peut pas être lu (%2)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not hold what this program writes into its locks</source>
        <translation>«&#xa0;%1&#xa0;» ne contient pas ce que ce programme écrit dans ses verrous</translation>
    </message>
    <message>
        <source>Another slide show batch is writing to the target folder &quot;%1&quot;: %2 (process %3 on %4) holds it. Finish or close that batch first, or choose another target folder.</source>
        <translation>Un autre lot de diaporama écrit dans le dossier cible «&#xa0;%1&#xa0;»&#xa0;: %2 (processus %3 sur %4) le détient. Terminez ou fermez d’abord ce lot, ou choisissez un autre dossier cible.</translation>
    </message>
    <message>
        <source>a program</source>
        <translation>un programme</translation>
    </message>
</context>
<context>
    <name>TextStream</name>
    <message>
        <source>could not be opened</source>
        <translation>n’a pas pu être ouvert</translation>
    </message>
    <message>
        <source>it is not an ordinary file</source>
        <translation>ce n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>another file has taken its place</source>
        <translation>un autre fichier a pris sa place</translation>
    </message>
    <message>
        <source>another program has changed it since it was written</source>
        <translation>un autre programme l’a modifié depuis son écriture</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; is already closed.</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» est déjà fermé.</translation>
    </message>
    <message>
        <source>could not be written</source>
        <translation>n’a pas pu être écrit</translation>
    </message>
    <message>
        <source>could not be cut back</source>
        <translation>n’a pas pu être raccourci</translation>
    </message>
    <message>
        <source>The slide show &quot;%1&quot; %2: %3.</source>
        <translation>Le diaporama «&#xa0;%1&#xa0;» %2&#xa0;: %3.</translation>
    </message>
</context>
<context>
    <name>TypedFolder</name>
    <message>
        <source>Type the whole path of a folder, starting with %1</source>
        <translation>Tapez le chemin complet d’un dossier, en commençant par %1</translation>
    </message>
    <message>
        <source>There is no folder %1</source>
        <translation>Il n’y a pas de dossier %1</translation>
    </message>
    <message>
        <source>%1 is a file, not a folder</source>
        <translation>%1 est un fichier, pas un dossier</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read</source>
        <translation>Le dossier %1 ne peut pas être lu</translation>
    </message>
</context>
<context>
    <name>WebCopy</name>
    <message>
        <source>The web-sized copy of &quot;%1&quot; was not made: the photo needs more memory or time to decode than a photo may take.</source>
        <translation>La copie au format web de «&#xa0;%1&#xa0;» n’a pas été faite&#xa0;: la photo demande plus de mémoire ou de temps de décodage qu’une photo n’en a droit.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; was not made: the photo cannot be read.</source>
        <translation>La copie au format web de «&#xa0;%1&#xa0;» n’a pas été faite&#xa0;: la photo ne peut pas être lue.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; could not be made: %2.</source>
        <translation>La copie au format web de «&#xa0;%1&#xa0;» n’a pas pu être faite&#xa0;: %2.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; could not be made.</source>
        <translation>La copie au format web de «&#xa0;%1&#xa0;» n’a pas pu être faite.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; could not be written to &quot;%2&quot;: %3.</source>
        <translation>La copie au format web de «&#xa0;%1&#xa0;» n’a pas pu être écrite dans «&#xa0;%2&#xa0;»&#xa0;: %3.</translation>
    </message>
    <message>
        <source>The thumbnail of &quot;%1&quot; could not be written to &quot;%2&quot;: %3.</source>
        <translation>La vignette de «&#xa0;%1&#xa0;» n’a pas pu être écrite dans «&#xa0;%2&#xa0;»&#xa0;: %3.</translation>
    </message>
    <message>
        <source>The web-sized copy of &quot;%1&quot; was not made.</source>
        <translation>La copie au format web de «&#xa0;%1&#xa0;» n’a pas été faite.</translation>
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
        <translation>Informations &amp;système...</translation>
    </message>
    <message>
        <source>About %1</source>
        <translation>À propos de %1</translation>
    </message>
    <message>
        <source>Version %1.%2.%3</source>
        <translation>Version %1.%2.%3</translation>
    </message>
    <message>
        <source> Creates Fotoweaves</source>
        <translation> Crée des Fotoweaves</translation>
    </message>
    <message>
        <source>System Information Is Unavailable At This Time</source>
        <translation>Les informations système ne sont pas disponibles pour le moment</translation>
    </message>
</context>
</TS>
