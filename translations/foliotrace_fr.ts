<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>BuildProgressStrip</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>%L1 entries listed, %L2 could not be read.</source>
        <translation>%L1 entrées listées, %L2 illisibles.</translation>
    </message>
    <message>
        <source>%L1 entries listed.</source>
        <translation>%L1 entrées listées.</translation>
    </message>
    <message>
        <source>Laying out pages</source>
        <translation>Mise en page</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Lecture de %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Lists a folder tree as a paginated print preview, prints it, or copies it to the clipboard.</source>
        <translation>Liste une arborescence de dossiers dans un aperçu avant impression paginé, l&apos;imprime ou la copie dans le presse-papiers.</translation>
    </message>
    <message>
        <source>The folder to list; the current folder when none is given.</source>
        <translation>Le dossier à lister ; le dossier courant s&apos;il n&apos;est pas indiqué.</translation>
    </message>
    <message>
        <source>--%1 and --%2 contradict each other</source>
        <translation>--%1 et --%2 se contredisent</translation>
    </message>
    <message>
        <source>--depth takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--depth attend un nombre entier de 1 à %1, pas « %2 »</translation>
    </message>
    <message>
        <source>--grid takes none, rows, top-bottom or all, not &quot;%1&quot;</source>
        <translation>--grid attend none, rows, top-bottom ou all, pas « %1 »</translation>
    </message>
    <message>
        <source>--widths takes three widths in twips, as 4000,1000,1000, not &quot;%1&quot;</source>
        <translation>--widths attend trois largeurs en twips, comme 4000,1000,1000, pas « %1 »</translation>
    </message>
    <message>
        <source>give --export or --print, not both</source>
        <translation>indiquez --export ou --print, pas les deux</translation>
    </message>
    <message>
        <source>--%1 needs --export or --print</source>
        <translation>--%1 demande --export ou --print</translation>
    </message>
    <message>
        <source>give the folder to list</source>
        <translation>indiquez le dossier à lister</translation>
    </message>
    <message>
        <source>--format needs --export</source>
        <translation>--format demande --export</translation>
    </message>
    <message>
        <source>cannot tell the format of &quot;%1&quot; by its name; give --format</source>
        <translation>impossible de déduire le format de « %1 » de son nom ; indiquez --format</translation>
    </message>
    <message>
        <source>a PDF cannot go to standard output; give a file name</source>
        <translation>un PDF ne peut pas aller sur la sortie standard ; indiquez un nom de fichier</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist</source>
        <translation>« %1 » n&apos;existe pas</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder</source>
        <translation>« %1 » n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>cannot open &quot;%1&quot;: %2</source>
        <translation>impossible d&apos;ouvrir « %1 » : %2</translation>
    </message>
    <message>
        <source>Usage: foliotrace [options] [FOLDER]
       foliotrace --export FILE [options] FOLDER
       foliotrace --print [options] FOLDER</source>
        <translation>Usage : foliotrace [options] [DOSSIER]
        foliotrace --export FICHIER [options] DOSSIER
        foliotrace --print [options] DOSSIER</translation>
    </message>
    <message>
        <source>give one folder at most</source>
        <translation>indiquez un seul dossier au plus</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Afficher cette aide et quitter.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Afficher la version et quitter.</translation>
    </message>
    <message>
        <source>Write the listing to FILE (- for standard output) without a window.</source>
        <translation>Écrire la liste dans FICHIER (- pour la sortie standard) sans fenêtre.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FICHIER</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>Send the listing to the default printer without a window.</source>
        <translation>Envoyer la liste à l&apos;imprimante par défaut sans fenêtre.</translation>
    </message>
    <message>
        <source>List N levels of sub-folders, 1 to %1.</source>
        <translation>Lister N niveaux de sous-dossiers, de 1 à %1.</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>List the files too.</source>
        <translation>Lister aussi les fichiers.</translation>
    </message>
    <message>
        <source>List the folders only.</source>
        <translation>Lister seulement les dossiers.</translation>
    </message>
    <message>
        <source>Show the size column.</source>
        <translation>Afficher la colonne des tailles.</translation>
    </message>
    <message>
        <source>Hide the size column.</source>
        <translation>Masquer la colonne des tailles.</translation>
    </message>
    <message>
        <source>Show the date column.</source>
        <translation>Afficher la colonne des dates.</translation>
    </message>
    <message>
        <source>Hide the date column.</source>
        <translation>Masquer la colonne des dates.</translation>
    </message>
    <message>
        <source>Grid lines: none, rows, top-bottom or all.</source>
        <translation>Lignes de grille : none, rows, top-bottom ou all.</translation>
    </message>
    <message>
        <source>STYLE</source>
        <translation>STYLE</translation>
    </message>
    <message>
        <source>The mark in front of folder names.</source>
        <translation>La marque devant les noms de dossiers.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXTE</translation>
    </message>
    <message>
        <source>The mark in front of file names.</source>
        <translation>La marque devant les noms de fichiers.</translation>
    </message>
    <message>
        <source>The title above the table.</source>
        <translation>Le titre au-dessus du tableau.</translation>
    </message>
    <message>
        <source>The three column widths in twips.</source>
        <translation>Les trois largeurs de colonnes en twips.</translation>
    </message>
    <message>
        <source>NAME,SIZE,DATE</source>
        <translation>NOM,TAILLE,DATE</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>DOSSIER</translation>
    </message>
    <message>
        <source>[FOLDER]</source>
        <translation>[DOSSIER]</translation>
    </message>
    <message>
        <source>%L1 entries, reading %2</source>
        <translation>%L1 entrées, lecture de %2</translation>
    </message>
    <message>
        <source>one entry could not be read in full; it is marked &quot;?&quot; or &quot;+&quot;</source>
        <translation>une entrée n&apos;a pas pu être lue entièrement ; elle est marquée « ? » ou « + »</translation>
    </message>
    <message>
        <source>%L1 entries could not be read in full; they are marked &quot;?&quot; or &quot;+&quot;</source>
        <translation>%L1 entrées n&apos;ont pas pu être lues entièrement ; elles sont marquées « ? » ou « + »</translation>
    </message>
    <message>
        <source>foliotrace: no display available (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen)
</source>
        <translation>foliotrace : aucun écran disponible (définissez DISPLAY ou WAYLAND_DISPLAY, ou QT_QPA_PLATFORM=offscreen)
</translation>
    </message>
    <message>
        <source>List only the files whose names match one of PATTERNS, glob patterns separated by &quot;;&quot; (&quot;*.jpg; *.png&quot;); &quot;&quot; lists every file.</source>
        <translation>Ne lister que les fichiers dont le nom correspond à l’un des MOTIFS, motifs génériques séparés par « ; » (« *.jpg; *.png ») ; &quot;&quot; liste tous les fichiers.</translation>
    </message>
    <message>
        <source>PATTERNS</source>
        <translation>MOTIFS</translation>
    </message>
    <message>
        <source>Leave out the files and folders whose names match one of PATTERNS; a folder left out is not entered.</source>
        <translation>Omettre les fichiers et dossiers dont le nom correspond à l’un des MOTIFS ; un dossier omis n’est pas parcouru.</translation>
    </message>
    <message>
        <source>Patterns tell capitals from small letters.</source>
        <translation>Les motifs distinguent majuscules et minuscules.</translation>
    </message>
    <message>
        <source>Patterns take capitals and small letters alike.</source>
        <translation>Les motifs confondent majuscules et minuscules.</translation>
    </message>
    <message>
        <source>List the names that start with &quot;.&quot;.</source>
        <translation>Lister les noms qui commencent par « . ».</translation>
    </message>
    <message>
        <source>Leave out the names that start with &quot;.&quot;.</source>
        <translation>Omettre les noms qui commencent par « . ».</translation>
    </message>
    <message>
        <source>Leave out folders with no file listed at any depth below.</source>
        <translation>Omettre les dossiers sous lesquels aucun fichier n’est listé, à toute profondeur.</translation>
    </message>
    <message>
        <source>List folders with nothing listed below too.</source>
        <translation>Lister aussi les dossiers sous lesquels rien n’est listé.</translation>
    </message>
    <message>
        <source>List the mount points of other file systems without entering them.</source>
        <translation>Lister les points de montage d’autres systèmes de fichiers sans les parcourir.</translation>
    </message>
    <message>
        <source>Enter the file systems mounted below.</source>
        <translation>Parcourir les systèmes de fichiers montés en dessous.</translation>
    </message>
    <message>
        <source>Sizes are the space on disk, as du counts it.</source>
        <translation>Les tailles sont l’espace sur le disque, tel que du le compte.</translation>
    </message>
    <message>
        <source>Sizes are the files&apos; lengths.</source>
        <translation>Les tailles sont les longueurs des fichiers.</translation>
    </message>
    <message>
        <source>A folder&apos;s size counts a file of several hard links once.</source>
        <translation>La taille d’un dossier compte une seule fois un fichier à plusieurs liens physiques.</translation>
    </message>
    <message>
        <source>A folder&apos;s size counts every name of a file.</source>
        <translation>La taille d’un dossier compte chaque nom d’un fichier.</translation>
    </message>
    <message>
        <source>The order within each folder: name, size (largest first), date (newest first) or extension.</source>
        <translation>L’ordre dans chaque dossier : name, size (la plus grande d’abord), date (la plus récente d’abord) ou extension.</translation>
    </message>
    <message>
        <source>ORDER</source>
        <translation>ORDRE</translation>
    </message>
    <message>
        <source>--%1: %2</source>
        <translation>--%1 : %2</translation>
    </message>
    <message>
        <source>--sort takes name, size, date or extension, not &quot;%1&quot;</source>
        <translation>--sort attend name, size, date ou extension, pas « %1 »</translation>
    </message>
    <message>
        <source>The format of FILE: %1 (else FILE&apos;s extension).</source>
        <translation>Le format de FICHIER : %1 (sinon selon l’extension de FICHIER).</translation>
    </message>
    <message>
        <source>The paper: A4, Letter, Legal, A3, … (else the default printer&apos;s).</source>
        <translation>Le papier : A4, Letter, Legal, A3, … (sinon celui de l’imprimante par défaut).</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOM</translation>
    </message>
    <message>
        <source>Lay the pages out across the paper.</source>
        <translation>Disposer les pages à l’italienne.</translation>
    </message>
    <message>
        <source>Lay the pages out upright.</source>
        <translation>Disposer les pages à la française.</translation>
    </message>
    <message>
        <source>Fit the columns to the page width.</source>
        <translation>Ajuster les colonnes à la largeur de la page.</translation>
    </message>
    <message>
        <source>Keep the column widths as they are.</source>
        <translation>Garder les largeurs de colonnes telles quelles.</translation>
    </message>
    <message>
        <source>The table&apos;s text, 80 to 150 percent of its usual 8 and 10 pt.</source>
        <translation>Le texte du tableau, de 80 à 150 pour cent de ses 8 et 10 pt habituels.</translation>
    </message>
    <message>
        <source>PERCENT</source>
        <translation>POURCENT</translation>
    </message>
    <message>
        <source>Print on NAME, not on the default printer.</source>
        <translation>Imprimer sur NOM, pas sur l’imprimante par défaut.</translation>
    </message>
    <message>
        <source>Print N copies.</source>
        <translation>Imprimer N exemplaires.</translation>
    </message>
    <message>
        <source>Print only these pages, as lp -P takes them (1-3,7,9-).</source>
        <translation>N’imprimer que ces pages, comme lp -P les prend (1-3,7,9-).</translation>
    </message>
    <message>
        <source>RANGE</source>
        <translation>PLAGE</translation>
    </message>
    <message>
        <source>--paper takes a paper&apos;s name, as A4, Letter or Legal, not &quot;%1&quot;</source>
        <translation>--paper attend un nom de papier, comme A4, Letter ou Legal, pas « %1 »</translation>
    </message>
    <message>
        <source>--text-size takes a whole number from %1 to %2, not &quot;%3&quot;</source>
        <translation>--text-size attend un nombre entier de %1 à %2, pas « %3 »</translation>
    </message>
    <message>
        <source>--printer takes a printer&apos;s name</source>
        <translation>--printer attend un nom d’imprimante</translation>
    </message>
    <message>
        <source>--copies takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--copies attend un nombre entier de 1 à %1, pas « %2 »</translation>
    </message>
    <message>
        <source>--pages takes pages as lp -P does, as 1-3,7 or 9-, not &quot;%1&quot;</source>
        <translation>--pages attend des pages comme lp -P, par exemple 1-3,7 ou 9-, pas « %1 »</translation>
    </message>
    <message>
        <source>--%1 needs --print</source>
        <translation>--%1 nécessite --print</translation>
    </message>
    <message>
        <source>--format takes %1, not &quot;%2&quot;</source>
        <translation>--format attend %1, pas « %2 »</translation>
    </message>
    <message>
        <source>--%1 shapes pages, which only --print and a PDF have</source>
        <translation>--%1 met en forme des pages, que seuls --print et un PDF ont</translation>
    </message>
    <message>
        <source>--columns takes files, folders, time, owner, permissions, created and path, not &quot;%1&quot;</source>
        <translation>--columns prend files, folders, time, owner, permissions, created et path, pas « %1 »</translation>
    </message>
    <message>
        <source>More columns, comma-separated: files, folders, time, owner, permissions, created, path; &quot;&quot; for none.</source>
        <translation>Colonnes supplémentaires, séparées par des virgules : files, folders, time, owner, permissions, created, path ; &quot;&quot; pour aucune.</translation>
    </message>
    <message>
        <source>WORDS</source>
        <translation>MOTS</translation>
    </message>
    <message>
        <source>A line of totals under the table (folders, files, KB).</source>
        <translation>Une ligne de totaux sous le tableau (dossiers, fichiers, Ko).</translation>
    </message>
    <message>
        <source>--changes-only needs --compare</source>
        <translation>--changes-only demande --compare</translation>
    </message>
    <message>
        <source>Compare the folder with LISTING, a JSON listing saved earlier: a Change column says what was added, removed or changed since.</source>
        <translation>Comparer le dossier avec LISTE, une liste JSON enregistrée plus tôt : une colonne « Changement » dit ce qui a été ajouté, supprimé ou modifié depuis.</translation>
    </message>
    <message>
        <source>LISTING</source>
        <translation>LISTE</translation>
    </message>
    <message>
        <source>With --compare, list only what changed and the folders leading to it.</source>
        <translation>Avec --compare, ne lister que ce qui a changé et les dossiers qui y mènent.</translation>
    </message>
    <message>
        <source>No line of totals.</source>
        <translation>Pas de ligne de totaux.</translation>
    </message>
</context>
<context>
    <name>CompareChoice</name>
    <message>
        <source>Choose &amp;Another Listing…</source>
        <translation>Choisir une &amp;autre liste…</translation>
    </message>
    <message>
        <source>Compare &amp;No More</source>
        <translation>&amp;Ne plus comparer</translation>
    </message>
    <message>
        <source>Compare With an Earlier Listing</source>
        <translation>Comparer avec une liste antérieure</translation>
    </message>
    <message>
        <source>Foliotrace listings (*.json);;All files (*)</source>
        <translation>Listes Foliotrace (*.json);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Compare With…</source>
        <translation>Comparer avec…</translation>
    </message>
    <message>
        <source>Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)</source>
        <translation>Comparer le dossier avec une liste enregistrée plus tôt en JSON (Ctrl+Maj+O)</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 du %2</translation>
    </message>
    <message>
        <source>Compared with %1 (Ctrl+Shift+O: another, or none)</source>
        <translation>Comparé avec %1 (Ctrl+Maj+O : une autre, ou aucune)</translation>
    </message>
</context>
<context>
    <name>DocumentOutput</name>
    <message>
        <source>There is no document to save.</source>
        <translation>Il n&apos;y a aucun document à enregistrer.</translation>
    </message>
    <message>
        <source>There is no document to print.</source>
        <translation>Il n&apos;y a aucun document à imprimer.</translation>
    </message>
    <message>
        <source>Waiting for the print server %1…</source>
        <translation>En attente du serveur d&apos;impression %1…</translation>
    </message>
    <message>
        <source>Cannot write the copy for the printer in %1: %2.</source>
        <translation>Impossible d&apos;écrire la copie pour l&apos;imprimante dans %1 : %2.</translation>
    </message>
    <message>
        <source>Preparing page %L1 of %L2 for %3…</source>
        <translation>Préparation de la page %L1 sur %L2 pour %3…</translation>
    </message>
    <message>
        <source>Sending the document to %1…</source>
        <translation>Envoi du document à %1…</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no pages; give them as 1-3,7 or 9-.</source>
        <translation>« %1 » ne désigne aucune page ; donnez-les comme 1-3,7 ou 9-.</translation>
    </message>
    <message>
        <source>The document has one page, none of %1.</source>
        <translation>Le document a une page, aucune de %1.</translation>
    </message>
    <message>
        <source>The document has %L2 pages, none of %1.</source>
        <translation>Le document a %L2 pages, aucune de %1.</translation>
    </message>
</context>
<context>
    <name>EarlierListing</name>
    <message>
        <source>it holds no object of named fields</source>
        <translation>il ne contient aucun objet de champs nommés</translation>
    </message>
    <message>
        <source>its format is &quot;%1&quot;</source>
        <translation>son format est « %1 »</translation>
    </message>
    <message>
        <source>it lists only what changed, not the whole folder</source>
        <translation>il ne liste que ce qui a changé, pas tout le dossier</translation>
    </message>
    <message>
        <source>&quot;folder_bytes&quot; is not base64</source>
        <translation>« folder_bytes » n’est pas en base64</translation>
    </message>
    <message>
        <source>&quot;children&quot; is not a list of entries</source>
        <translation>« children » n’est pas une liste d’entrées</translation>
    </message>
    <message>
        <source>&quot;version&quot; is not a format version</source>
        <translation>« version » n’est pas une version de format</translation>
    </message>
    <message>
        <source>an entry that is not an object</source>
        <translation>une entrée qui n’est pas un objet</translation>
    </message>
    <message>
        <source>an entry&apos;s &quot;children&quot; is not a list</source>
        <translation>le « children » d’une entrée n’est pas une liste</translation>
    </message>
    <message>
        <source>it outgrew %L1 MB after %L2 entries</source>
        <translation>il a dépassé %L1 Mo après %L2 entrées</translation>
    </message>
    <message>
        <source>an entry&apos;s name is not a text</source>
        <translation>le nom d’une entrée n’est pas un texte</translation>
    </message>
    <message>
        <source>an entry&apos;s &quot;name_bytes&quot; is not base64</source>
        <translation>le « name_bytes » d’une entrée n’est pas en base64</translation>
    </message>
    <message>
        <source>an entry&apos;s kind is not a text</source>
        <translation>le type d’une entrée n’est pas un texte</translation>
    </message>
    <message>
        <source>the size %1 is not a number of bytes</source>
        <translation>la taille %1 n’est pas un nombre d’octets</translation>
    </message>
    <message>
        <source>the modification time %1 is not a date and time</source>
        <translation>l’heure de modification %1 n’est pas une date et une heure</translation>
    </message>
    <message>
        <source>an entry without a name</source>
        <translation>une entrée sans nom</translation>
    </message>
    <message>
        <source>an entry named &quot;%1&quot;, which no file can be</source>
        <translation>une entrée nommée « %1 », ce qu’aucun fichier ne peut être</translation>
    </message>
    <message>
        <source>an entry without a kind</source>
        <translation>une entrée sans type</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a text</source>
        <translation>« %1 » n’est pas un texte</translation>
    </message>
    <message>
        <source>it names no folder (&quot;folder&quot;)</source>
        <translation>il ne nomme aucun dossier (« folder »)</translation>
    </message>
    <message>
        <source>it has no list of entries (&quot;children&quot;)</source>
        <translation>il n’a pas de liste d’entrées (« children »)</translation>
    </message>
    <message>
        <source>the entry &quot;%1&quot; is listed twice</source>
        <translation>l’entrée « %1 » figure deux fois</translation>
    </message>
    <message>
        <source>it ends in the middle of a text</source>
        <translation>il se termine au milieu d’un texte</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>le fichier est vide</translation>
    </message>
    <message>
        <source>it ends inside its entries, after %L1 of them</source>
        <translation>il se termine au milieu de ses entrées, après %L1 d’entre elles</translation>
    </message>
    <message>
        <source>it ends before its listing does</source>
        <translation>il se termine avant la fin de sa liste</translation>
    </message>
</context>
<context>
    <name>EarlierListingError</name>
    <message>
        <source> at line %L1, byte %L2</source>
        <translation> à la ligne %L1, octet %L2</translation>
    </message>
    <message>
        <source>Cannot read the listing &quot;%1&quot;: %2.</source>
        <translation>Impossible de lire la liste « %1 » : %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Foliotrace listing: it is not JSON text (%2%3).</source>
        <translation>« %1 » n’est pas une liste Foliotrace : ce n’est pas du texte JSON (%2%3).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Foliotrace listing: %2%3.</source>
        <translation>« %1 » n’est pas une liste Foliotrace : %2%3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is cut short: %2%3. It may not have been saved or copied in full.</source>
        <translation>« %1 » est tronqué : %2%3. Il n’a peut-être pas été enregistré ou copié en entier.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a damaged listing: %2%3.</source>
        <translation>« %1 » est une liste endommagée : %2%3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was saved by a newer Foliotrace (listing format version %2); this version reads version %3.</source>
        <translation>« %1 » a été enregistré par un Foliotrace plus récent (format de liste version %2) ; cette version lit la version %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds more entries than this computer can safely compare: %2.</source>
        <translation>« %1 » contient plus d’entrées que cet ordinateur ne peut comparer sans risque : %2.</translation>
    </message>
</context>
<context>
    <name>ExportFormat</name>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Document PDF (*.pdf)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>Tableau CSV (*.csv)</translation>
    </message>
    <message>
        <source>Web page (*.html)</source>
        <translation>Page web (*.html)</translation>
    </message>
    <message>
        <source>JSON data (*.json)</source>
        <translation>Données JSON (*.json)</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Texte (*.txt)</translation>
    </message>
    <message>
        <source>Tab-separated text (*.tsv)</source>
        <translation>Texte séparé par des tabulations (*.tsv)</translation>
    </message>
    <message>
        <source>Spreadsheet (*.xlsx)</source>
        <translation>Classeur (*.xlsx)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 ou %2</translation>
    </message>
</context>
<context>
    <name>ExportText</name>
    <message>
        <source>The spreadsheet could not be made: %1.</source>
        <translation>Le classeur n’a pas pu être créé : %1.</translation>
    </message>
    <message>
        <source>Size (bytes)</source>
        <translation>Taille (octets)</translation>
    </message>
    <message>
        <source>Cannot make the spreadsheet in %1: %2.</source>
        <translation>Impossible de créer le classeur dans %1 : %2.</translation>
    </message>
</context>
<context>
    <name>ExportText::Workbook</name>
    <message>
        <source>Not read in full</source>
        <translation>Pas lu entièrement</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Raison</translation>
    </message>
    <message>
        <source>… and %L1 more</source>
        <translation>… et %L1 de plus</translation>
    </message>
    <message>
        <source>Listing</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Listing (%1)</source>
        <translation>Liste (%1)</translation>
    </message>
</context>
<context>
    <name>FileSystemError</name>
    <message>
        <source>Cannot open folder &quot;%1&quot;: %2</source>
        <translation>Impossible d&apos;ouvrir le dossier « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot read folder &quot;%1&quot;: %2</source>
        <translation>Impossible de lire le dossier « %1 » : %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Impossible de lire « %1 » : %2</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find:</source>
        <translation>Rechercher :</translation>
    </message>
    <message>
        <source>Find a name</source>
        <translation>Rechercher un nom</translation>
    </message>
    <message>
        <source>Close the find bar (Escape)</source>
        <translation>Fermer la barre de recherche (Échap)</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>Fermer la barre de recherche</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Introuvable</translation>
    </message>
</context>
<context>
    <name>FolderChoice</name>
    <message>
        <source>Select a Folder</source>
        <translation>Choisir un dossier</translation>
    </message>
</context>
<context>
    <name>GridStyle</name>
    <message>
        <source>None</source>
        <translation>Aucune</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Lignes</translation>
    </message>
    <message>
        <source>Top &amp; Bottom</source>
        <translation>Haut et bas</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Toutes</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Foliotrace Help</source>
        <translation>Aide de Foliotrace</translation>
    </message>
    <message>
        <source>This help is in English.</source>
        <translation>Cette aide est en anglais.</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;No help file has been set up for this program yet.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Aide indisponible&lt;/h2&gt;&lt;p&gt;Aucun fichier d&apos;aide n&apos;a encore été installé pour ce programme.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; could not be opened: %2.&lt;/p&gt;&lt;p&gt;It belongs in the folder that holds the program. Installing Foliotrace again puts it back.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Aide indisponible&lt;/h2&gt;&lt;p&gt;Le fichier d&apos;aide &lt;b&gt;%1&lt;/b&gt; n&apos;a pas pu être ouvert : %2.&lt;/p&gt;&lt;p&gt;Il doit se trouver dans le dossier du programme. Réinstaller Foliotrace le remet en place.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic not found&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; has no topic number %2.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Rubrique introuvable&lt;/h2&gt;&lt;p&gt;Le fichier d&apos;aide &lt;b&gt;%1&lt;/b&gt; n&apos;a pas de rubrique numéro %2.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>JsonTokens</name>
    <message>
        <source>the end of the file</source>
        <translation>la fin du fichier</translation>
    </message>
    <message>
        <source>the end of the file inside a text</source>
        <translation>la fin du fichier dans un texte</translation>
    </message>
    <message>
        <source>more than %L1 levels of lists and objects</source>
        <translation>plus de %L1 niveaux de listes et d’objets</translation>
    </message>
    <message>
        <source>a text longer than %L1 bytes</source>
        <translation>un texte de plus de %L1 octets</translation>
    </message>
    <message>
        <source>a control character inside a text</source>
        <translation>un caractère de contrôle dans un texte</translation>
    </message>
    <message>
        <source>an unknown escape &quot;\%1&quot;</source>
        <translation>un échappement inconnu « \%1 »</translation>
    </message>
    <message>
        <source>half of a surrogate pair</source>
        <translation>la moitié d’une paire de substitution</translation>
    </message>
    <message>
        <source>a &quot;\u&quot; escape without four hex digits</source>
        <translation>un échappement « \u » sans quatre chiffres hexadécimaux</translation>
    </message>
    <message>
        <source>a text that is not UTF-8</source>
        <translation>un texte qui n’est pas en UTF-8</translation>
    </message>
    <message>
        <source>the end of the file inside a number</source>
        <translation>la fin du fichier dans un nombre</translation>
    </message>
    <message>
        <source>a number longer than %L1 characters</source>
        <translation>un nombre de plus de %L1 caractères</translation>
    </message>
    <message>
        <source>the end of the file inside a value</source>
        <translation>la fin du fichier dans une valeur</translation>
    </message>
    <message>
        <source>an unexpected &quot;%1&quot;</source>
        <translation>un « %1 » inattendu</translation>
    </message>
    <message>
        <source>an unexpected byte 0x%1</source>
        <translation>un octet 0x%1 inattendu</translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>The same folder as one that holds it</source>
        <translation>Le même dossier qu’un dossier qui le contient</translation>
    </message>
    <message>
        <source>%1 file system, not entered</source>
        <translation>Système de fichiers %1, non parcouru</translation>
    </message>
    <message>
        <source>Sub-Directories</source>
        <translation>Sous-dossiers</translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation>Taille (Ko)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>The listing grew past %L1 MB after %L2 entries, more than this computer can safely hold, and was stopped. Choose fewer sub-directory levels, a smaller folder or shorter marks.</source>
        <translation>La liste a dépassé %L1 Mo après %L2 entrées, plus que cet ordinateur ne peut contenir sans risque, et a été arrêtée. Choisissez moins de niveaux de sous-dossiers, un dossier plus petit ou des marques plus courtes.</translation>
    </message>
    <message>
        <source>… and %L1 more</source>
        <translation>… et %L1 de plus</translation>
    </message>
    <message>
        <source>not entered: another file system</source>
        <translation>non parcouru : un autre système de fichiers</translation>
    </message>
    <message>
        <source>1 folder</source>
        <translation>1 dossier</translation>
    </message>
    <message>
        <source>%1 folders</source>
        <translation>%1 dossiers</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 fichier</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 fichiers</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 Ko</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Fichiers</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Dossiers</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Heure</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Propriétaire</translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation>Droits</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Création</translation>
    </message>
    <message>
        <source>added</source>
        <translation>ajouté</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>supprimé</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>modifié</translation>
    </message>
    <message>
        <source>Compared with %1 of %2</source>
        <translation>Comparé avec %1 du %2</translation>
    </message>
    <message>
        <source>Compared with %1</source>
        <translation>Comparé avec %1</translation>
    </message>
    <message>
        <source>: %L1 added, %L2 removed, %L3 changed</source>
        <translation> : %L1 ajoutés, %L2 supprimés, %L3 modifiés</translation>
    </message>
    <message>
        <source>, total %1</source>
        <translation>, total %1</translation>
    </message>
    <message>
        <source>the earlier listing went %L1 levels deep</source>
        <translation>la liste antérieure allait à %L1 niveaux de profondeur</translation>
    </message>
    <message>
        <source>it listed no files</source>
        <translation>elle ne listait aucun fichier</translation>
    </message>
    <message>
        <source>its choices left entries out</source>
        <translation>ses choix écartaient des entrées</translation>
    </message>
    <message>
        <source>it could not read some folders</source>
        <translation>elle ne pouvait pas lire certains dossiers</translation>
    </message>
    <message>
        <source>it had no sizes</source>
        <translation>elle n’avait pas de tailles</translation>
    </message>
    <message>
        <source>it had no dates</source>
        <translation>elle n’avait pas de dates</translation>
    </message>
    <message>
        <source>folder sizes, as its choices differ</source>
        <translation>les tailles des dossiers, car ses choix diffèrent</translation>
    </message>
    <message>
        <source>it counted sizes another way</source>
        <translation>elle comptait les tailles autrement</translation>
    </message>
    <message>
        <source>; not compared: %1</source>
        <translation> ; non comparé : %1</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Changement</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
</context>
<context>
    <name>ListingChoiceText</name>
    <message>
        <source>only %1</source>
        <translation>seulement %1</translation>
    </message>
    <message>
        <source>skipping %1</source>
        <translation>sans %1</translation>
    </message>
    <message>
        <source>matching case</source>
        <translation>casse respectée</translation>
    </message>
    <message>
        <source>hidden entries left out</source>
        <translation>entrées cachées omises</translation>
    </message>
    <message>
        <source>folders with nothing listed left out</source>
        <translation>dossiers sans rien de listé omis</translation>
    </message>
    <message>
        <source>other file systems not entered</source>
        <translation>autres systèmes de fichiers non parcourus</translation>
    </message>
    <message>
        <source>sizes on disk</source>
        <translation>tailles sur le disque</translation>
    </message>
    <message>
        <source>hard links counted once</source>
        <translation>liens physiques comptés une fois</translation>
    </message>
</context>
<context>
    <name>ListingComposer</name>
    <message>
        <source>Not read in full</source>
        <translation>Pas lu entièrement</translation>
    </message>
    <message>
        <source>Page %d</source>
        <translation>Page %d</translation>
    </message>
    <message>
        <source>The columns are wider than the paper: %1 twips, where there is room for %L2 between the margins.</source>
        <translation>Les colonnes sont plus larges que le papier : %1 twips, alors que les marges laissent %L2.</translation>
    </message>
    <message>
        <source>Cut at the paper&apos;s edge: %1.</source>
        <translation>Coupées au bord du papier : %1.</translation>
    </message>
    <message>
        <source>Beyond it, and not shown: %1.</source>
        <translation>Au-delà, et non affichées : %1.</translation>
    </message>
    <message>
        <source>Narrower widths bring them onto the page, as does fitting the columns to the page width.</source>
        <translation>Des largeurs plus étroites les ramènent sur la page, tout comme l’ajustement des colonnes à la largeur de la page.</translation>
    </message>
</context>
<context>
    <name>ListingExport</name>
    <message>
        <source>the PDF could not be completed</source>
        <translation>le PDF n&apos;a pas pu être terminé</translation>
    </message>
    <message>
        <source>the listing could not be written</source>
        <translation>la liste n&apos;a pas pu être écrite</translation>
    </message>
    <message>
        <source>Not read in full</source>
        <translation>Pas lu entièrement</translation>
    </message>
</context>
<context>
    <name>ListingOptionsDialog</name>
    <message>
        <source>Listing Options</source>
        <translation>Options de la liste</translation>
    </message>
    <message>
        <source>Which entries</source>
        <translation>Quelles entrées</translation>
    </message>
    <message>
        <source>&amp;Include files:</source>
        <translation>&amp;Inclure les fichiers :</translation>
    </message>
    <message>
        <source>*.jpg; *.png (empty: every file)</source>
        <translation>*.jpg; *.png (vide : tous les fichiers)</translation>
    </message>
    <message>
        <source>Only files whose names match one of these patterns are listed; folders are walked all the same</source>
        <translation>Seuls les fichiers dont le nom correspond à l’un de ces motifs sont listés ; les dossiers sont parcourus malgré tout</translation>
    </message>
    <message>
        <source>S&amp;kip:</source>
        <translation>I&amp;gnorer :</translation>
    </message>
    <message>
        <source>node_modules; *.tmp; .git</source>
        <translation>node_modules; *.tmp; .git</translation>
    </message>
    <message>
        <source>Files and folders whose names match one of these patterns are left out; a folder left out is not entered</source>
        <translation>Les fichiers et dossiers dont le nom correspond à l’un de ces motifs sont omis ; un dossier omis n’est pas parcouru</translation>
    </message>
    <message>
        <source>&amp;Match case</source>
        <translation>Respecter la &amp;casse</translation>
    </message>
    <message>
        <source>List hidd&amp;en files and folders</source>
        <translation>Lister les fichiers et dossiers cac&amp;hés</translation>
    </message>
    <message>
        <source>Names that start with &quot;.&quot;</source>
        <translation>Noms qui commencent par « . »</translation>
    </message>
    <message>
        <source>Leave out folders with &amp;nothing listed</source>
        <translation>Omettre les dossiers où &amp;rien n’est listé</translation>
    </message>
    <message>
        <source>Stay on this file s&amp;ystem</source>
        <translation>Rester sur ce &amp;système de fichiers</translation>
    </message>
    <message>
        <source>A folder where another file system is mounted is listed, not entered</source>
        <translation>Un dossier où un autre système de fichiers est monté est listé, mais pas parcouru</translation>
    </message>
    <message>
        <source>Sizes</source>
        <translation>Tailles</translation>
    </message>
    <message>
        <source>File len&amp;gth</source>
        <translation>&amp;Longueur du fichier</translation>
    </message>
    <message>
        <source>Space on di&amp;sk</source>
        <translation>Espace sur le &amp;disque</translation>
    </message>
    <message>
        <source>The blocks a file takes, as du counts them: a sparse file takes little</source>
        <translation>Les blocs qu’occupe un fichier, tels que du les compte : un fichier creux en occupe peu</translation>
    </message>
    <message>
        <source>Count a file with several hard &amp;links once</source>
        <translation>Compter une seule fois un fichier à plusieurs liens &amp;physiques</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Ordre</translation>
    </message>
    <message>
        <source>Or&amp;der:</source>
        <translation>&amp;Ordre :</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Size, largest first</source>
        <translation>Taille, la plus grande d’abord</translation>
    </message>
    <message>
        <source>Date, newest first</source>
        <translation>Date, la plus récente d’abord</translation>
    </message>
    <message>
        <source>Extension, then name</source>
        <translation>Extension, puis nom</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>Valeurs par dé&amp;faut</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>Include files: %1</source>
        <translation>Inclure les fichiers : %1</translation>
    </message>
    <message>
        <source>Skip: %1</source>
        <translation>Ignorer : %1</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Colonnes</translation>
    </message>
    <message>
        <source>Width (twips)</source>
        <translation>Largeur (twips)</translation>
    </message>
    <message>
        <source>&amp;Files in each folder&apos;s tree</source>
        <translation>Fichiers da&amp;ns l’arborescence de chaque dossier</translation>
    </message>
    <message>
        <source>Width of the files column, in twips</source>
        <translation>Largeur de la colonne des fichiers, en twips</translation>
    </message>
    <message>
        <source>F&amp;olders in each folder&apos;s tree</source>
        <translation>Dossiers dans l’ar&amp;borescence de chaque dossier</translation>
    </message>
    <message>
        <source>Width of the folders column, in twips</source>
        <translation>Largeur de la colonne des dossiers, en twips</translation>
    </message>
    <message>
        <source>&amp;Time of day last modified</source>
        <translation>Heure de dernière &amp;modification</translation>
    </message>
    <message>
        <source>Width of the time column, in twips</source>
        <translation>Largeur de la colonne de l’heure, en twips</translation>
    </message>
    <message>
        <source>O&amp;wner</source>
        <translation>Propriét&amp;aire</translation>
    </message>
    <message>
        <source>Width of the owner column, in twips</source>
        <translation>Largeur de la colonne du propriétaire, en twips</translation>
    </message>
    <message>
        <source>&amp;Permissions</source>
        <translation>Droi&amp;ts</translation>
    </message>
    <message>
        <source>Width of the permissions column, in twips</source>
        <translation>Largeur de la colonne des droits, en twips</translation>
    </message>
    <message>
        <source>&amp;Created (where the file system keeps it)</source>
        <translation>Création (là où le s&amp;ystème de fichiers la conserve)</translation>
    </message>
    <message>
        <source>Width of the created column, in twips</source>
        <translation>Largeur de la colonne de création, en twips</translation>
    </message>
    <message>
        <source>P&amp;ath from the selected folder</source>
        <translation>Chemin dep&amp;uis le dossier choisi</translation>
    </message>
    <message>
        <source>Width of the path column, in twips</source>
        <translation>Largeur de la colonne du chemin, en twips</translation>
    </message>
    <message>
        <source>A line of totals &amp;under the table</source>
        <translation>Une ligne de totau&amp;x sous le tableau</translation>
    </message>
    <message>
        <source>Folders, files and KB of the whole tree, each where its column is on</source>
        <translation>Dossiers, fichiers et Ko de toute l’arborescence, chacun si sa colonne est affichée</translation>
    </message>
    <message>
        <source>The width of the %1 column is no number of twips: &quot;%2&quot;</source>
        <translation>La largeur de la colonne %1 n’est pas un nombre de twips : « %2 »</translation>
    </message>
</context>
<context>
    <name>NamePattern</name>
    <message>
        <source>&quot;%1&quot; ends in a &quot;\&quot; with nothing after it</source>
        <translation>« %1 » se termine par un « \ » sans rien après</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a range that runs backwards: &quot;%2-%3&quot;</source>
        <translation>« %1 » contient une plage à rebours : « %2-%3 »</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a &quot;[&quot; with no &quot;]&quot; to close it</source>
        <translation>« %1 » a un « [ » sans « ] » pour le fermer</translation>
    </message>
</context>
<context>
    <name>OptionStore</name>
    <message>
        <source>it is a folder, not a regular file</source>
        <translation>c&apos;est un dossier, pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a regular file</source>
        <translation>c&apos;est un tube nommé (FIFO), pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is a socket, not a regular file</source>
        <translation>c&apos;est un socket, pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is a device, not a regular file</source>
        <translation>c&apos;est un périphérique, pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>%1 is a file, so the folder %2 cannot be created</source>
        <translation>%1 est un fichier, le dossier %2 ne peut donc pas être créé</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 n&apos;est pas un dossier</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>the settings file could not be written</source>
        <translation>le fichier de réglages n&apos;a pas pu être écrit</translation>
    </message>
    <message>
        <source>there are too many earlier copies</source>
        <translation>il y a trop de copies antérieures</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held %L2 characters; the first %L3 are used</source>
        <translation>« %1 » contenait %L2 caractères ; les %L3 premiers sont utilisés</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held %L2 characters, more than any option takes; &quot;%3&quot; is used instead</source>
        <translation>« %1 » contenait %L2 caractères, plus qu&apos;aucune option n&apos;en accepte ; « %3 » est utilisé à la place</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held &quot;%2&quot;; &quot;%3&quot; is used instead</source>
        <translation>« %1 » contenait « %2 » ; « %3 » est utilisé à la place</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read, nor be set aside (%2). It is left as it is, and the options will not be remembered.</source>
        <translation>Le fichier de réglages %1 n&apos;a pu être ni lu ni mis de côté (%2). Il est laissé tel quel, et les options ne seront pas mémorisées.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read. It is kept as %2; what could be read of it is used, and the options are stored afresh at the next Print Preview, Copy or Save As.</source>
        <translation>Le fichier de réglages %1 n&apos;a pas pu être lu. Il est conservé sous %2 ; ce qui a pu en être lu est utilisé, et les options seront enregistrées à nouveau au prochain aperçu, à la prochaine copie ou au prochain enregistrement.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read. It is kept as %2, and the options were stored afresh.</source>
        <translation>Le fichier de réglages %1 n&apos;a pas pu être lu. Il est conservé sous %2, et les options ont été enregistrées à nouveau.</translation>
    </message>
    <message>
        <source>the file could not be read, nor be set aside (%1), so it is left as it is</source>
        <translation>le fichier n&apos;a pu être ni lu ni mis de côté (%1) ; il est donc laissé tel quel</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2. It is left as it is; the defaults are used, and the options will not be remembered.</source>
        <translation>Le fichier de réglages %1 est illisible : %2. Il est laissé tel quel ; les valeurs par défaut sont utilisées, et les options ne seront pas mémorisées.</translation>
    </message>
    <message>
        <source>Some stored options could not be used as they were:</source>
        <translation>Certaines options enregistrées n&apos;ont pas pu être utilisées telles quelles :</translation>
    </message>
    <message>
        <source>• %1.</source>
        <translation>• %1.</translation>
    </message>
    <message>
        <source>The options are stored again at the next Print Preview, Copy or Save As.</source>
        <translation>Les options seront enregistrées à nouveau au prochain aperçu, à la prochaine copie ou au prochain enregistrement.</translation>
    </message>
    <message>
        <source>cannot read the settings file %1: %2; the defaults are used</source>
        <translation>fichier de réglages %1 illisible : %2 ; les valeurs par défaut sont utilisées</translation>
    </message>
    <message>
        <source>cannot read all of the settings file %1; what could be read of it is used</source>
        <translation>le fichier de réglages %1 ne peut être lu entièrement ; ce qui a pu en être lu est utilisé</translation>
    </message>
    <message>
        <source>the stored option %1</source>
        <translation>l&apos;option enregistrée %1</translation>
    </message>
    <message>
        <source>The options could not be saved to %1: %2. They will not be remembered when Foliotrace closes.</source>
        <translation>Les options n&apos;ont pas pu être enregistrées dans %1 : %2. Elles seront perdues à la fermeture de Foliotrace.</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>its folder is not writable (%1), and a file is only replaced by a complete listing written beside it</source>
        <translation>son dossier n&apos;est pas accessible en écriture (%1), et un fichier n&apos;est remplacé que par une liste complète écrite à côté</translation>
    </message>
    <message>
        <source>%1; the complete listing is kept in %2</source>
        <translation>%1 ; la liste complète est conservée dans %2</translation>
    </message>
    <message>
        <source>Cannot write to standard output: %1.</source>
        <translation>Impossible d&apos;écrire sur la sortie standard : %1.</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2.</source>
        <translation>Impossible d&apos;écrire le fichier %1 : %2.</translation>
    </message>
</context>
<context>
    <name>PageSetupExtras</name>
    <message>
        <source>Listing</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>F&amp;it the columns to the page width</source>
        <translation>A&amp;juster les colonnes à la largeur de la page</translation>
    </message>
    <message>
        <source>The column widths scaled in proportion, so that the table fills the room between the margins</source>
        <translation>Les largeurs de colonnes sont mises à l’échelle en proportion, pour que le tableau remplisse l’espace entre les marges</translation>
    </message>
    <message>
        <source>Te&amp;xt size:</source>
        <translation>Ta&amp;ille du texte :</translation>
    </message>
    <message>
        <source>The table&apos;s text, of its usual 8 and 10 points</source>
        <translation>Le texte du tableau, de ses 8 et 10 points habituels</translation>
    </message>
    <message>
        <source> %</source>
        <translation> %</translation>
    </message>
</context>
<context>
    <name>Paper</name>
    <message>
        <source>%1 paper, the default printer&apos;s (%2).</source>
        <translation>Papier %1, celui de l&apos;imprimante par défaut (%2).</translation>
    </message>
    <message>
        <source>The default printer %1 names no paper size.</source>
        <translation>L&apos;imprimante par défaut %1 n&apos;indique aucun format de papier.</translation>
    </message>
    <message>
        <source>%1 paper, this locale&apos;s usual size. %2</source>
        <translation>Papier %1, le format habituel de cette région. %2</translation>
    </message>
</context>
<context>
    <name>PathField</name>
    <message>
        <source>Path of the folder to list</source>
        <translation>Chemin du dossier à lister</translation>
    </message>
    <message>
        <source>Click, or press Ctrl+L, to type or paste a path</source>
        <translation>Cliquez, ou appuyez sur Ctrl+L, pour saisir ou coller un chemin</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist.</source>
        <translation>« %1 » n&apos;existe pas.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder.</source>
        <translation>« %1 » est un fichier, pas un dossier.</translation>
    </message>
</context>
<context>
    <name>PreviewKeys</name>
    <message>
        <source>Go to Page</source>
        <translation>Aller à la page</translation>
    </message>
    <message>
        <source>&amp;Page (1 to %L1):</source>
        <translation>&amp;Page (1 à %L1) :</translation>
    </message>
</context>
<context>
    <name>PreviewSurface</name>
    <message>
        <source>Print preview</source>
        <translation>Aperçu avant impression</translation>
    </message>
    <message>
        <source>Print preview, page %1 of %2</source>
        <translation>Aperçu avant impression, page %1 sur %2</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>Ajuster à la largeur</translation>
    </message>
    <message>
        <source>Fit Page</source>
        <translation>Page entière</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Save as PDF…</source>
        <translation>Enregistrer en PDF…</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Enregistrer en PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Fichiers PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Page Setup…</source>
        <translation>Mise en page…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>Imprimer…</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>&amp;Fit to Page Width</source>
        <translation>A&amp;juster à la largeur de la page</translation>
    </message>
    <message>
        <source>Print %L1 pages on %2?</source>
        <translation>Imprimer %L1 pages sur %2 ?</translation>
    </message>
</context>
<context>
    <name>PrintServer</name>
    <message>
        <source>The print server %1 cannot be reached.</source>
        <translation>Le serveur d&apos;impression %1 est injoignable.</translation>
    </message>
    <message>
        <source>The print server %1 does not answer.</source>
        <translation>Le serveur d&apos;impression %1 ne répond pas.</translation>
    </message>
    <message>
        <source>There is no default printer (%1).</source>
        <translation>Il n&apos;y a pas d&apos;imprimante par défaut (%1).</translation>
    </message>
    <message>
        <source>The printer %1 did not accept the job: %2</source>
        <translation>L&apos;imprimante %1 n&apos;a pas accepté la tâche : %2</translation>
    </message>
    <message>
        <source>The print server %1 has no printer %2.</source>
        <translation>Le serveur d’impression %1 n’a pas d’imprimante %2.</translation>
    </message>
</context>
<context>
    <name>PrintTitle</name>
    <message>
        <source>%1  - On: %2</source>
        <translation>%1  - Au : %2</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>One entry could not be read in full; the listing holds everything else.</source>
        <translation>Une entrée n&apos;a pas pu être lue entièrement ; la liste contient tout le reste.</translation>
    </message>
    <message>
        <source>%L1 entries could not be read in full; the listing holds everything else.</source>
        <translation>%L1 entrées n&apos;ont pas pu être lues entièrement ; la liste contient tout le reste.</translation>
    </message>
    <message>
        <source>&quot;?&quot; stands for a size or a date that could not be read. A size followed by &quot;+&quot;, such as 1,235+, is the total of what could be read in a folder that holds more.</source>
        <translation>« ? » remplace une taille ou une date illisible. Une taille suivie de « + », comme 1 235+, est le total de ce qui a pu être lu dans un dossier qui contient davantage.</translation>
    </message>
    <message>
        <source>The entries are listed under Show Details.</source>
        <translation>Les entrées sont listées sous « Afficher les détails ».</translation>
    </message>
</context>
<context>
    <name>frmIntro</name>
    <message>
        <source>Brambleworks: Utilities</source>
        <translation>Brambleworks : utilitaires</translation>
    </message>
    <message>
        <source>Telephone: +1 555 0100 · Fax: +1 555 0199</source>
        <translation>Téléphone : +1 555 0100 · Fax : +1 555 0199</translation>
    </message>
    <message>
        <source>E-mail: support@brambleworks.example</source>
        <translation>Courriel : support@brambleworks.example</translation>
    </message>
    <message>
        <source>I &amp;Agree</source>
        <translation>J&apos;&amp;accepte</translation>
    </message>
    <message>
        <source>Made by Brambleworks</source>
        <translation>Réalisé par Brambleworks</translation>
    </message>
    <message>
        <source>Foliotrace is provided as it is, without any warranty. It only reads folders: it never changes, moves or deletes a file, and it writes only to the printer, the clipboard, the files it is asked to save and its own settings. Choose I Agree to accept these terms, or Exit to leave.</source>
        <translation>Foliotrace est fourni tel quel, sans aucune garantie. Il ne fait que lire des dossiers : il ne modifie, ne déplace ni ne supprime jamais un fichier, et n&apos;écrit que vers l&apos;imprimante, le presse-papiers, les fichiers qu&apos;on lui demande d&apos;enregistrer et ses propres réglages. Choisissez J&apos;accepte pour accepter ces conditions, ou Quitter pour sortir.</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version :</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>H&amp;elp</source>
        <translation>Aid&amp;e</translation>
    </message>
    <message>
        <source>Select D&amp;rive or Directory:</source>
        <translation>&amp;Choisir le lecteur ou le dossier :</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Lecteur</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>P&amp;arcourir…</translation>
    </message>
    <message>
        <source>Choose the folder in the desktop&apos;s folder dialog</source>
        <translation>Choisir le dossier dans la boîte de dialogue du bureau</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>Print &amp;File Names</source>
        <translation>Imprimer les &amp;noms de fichiers</translation>
    </message>
    <message>
        <source>Print &amp;Size</source>
        <translation>I&amp;mprimer la taille</translation>
    </message>
    <message>
        <source>Print &amp;Date</source>
        <translation>&amp;Imprimer la date</translation>
    </message>
    <message>
        <source>&amp;Grid Lines:</source>
        <translation>Li&amp;gnes de grille :</translation>
    </message>
    <message>
        <source>Grid Lines</source>
        <translation>Lignes de grille</translation>
    </message>
    <message>
        <source>Sub-Directory &amp;Level:</source>
        <translation>Niveau&amp;x de sous-dossiers :</translation>
    </message>
    <message>
        <source>Sub-Directory Level</source>
        <translation>Niveaux de sous-dossiers</translation>
    </message>
    <message>
        <source>C&amp;urrently Selected Path:</source>
        <translation>C&amp;hemin sélectionné :</translation>
    </message>
    <message>
        <source>Directory &amp;Indicator:</source>
        <translation>Marque de do&amp;ssier :</translation>
    </message>
    <message>
        <source>Print &amp;Title:</source>
        <translation>&amp;Titre :</translation>
    </message>
    <message>
        <source>File I&amp;ndicator:</source>
        <translation>Marque de &amp;fichier :</translation>
    </message>
    <message>
        <source>Directory Column &amp;Width:</source>
        <translation>Largeur colonne &amp;dossier :</translation>
    </message>
    <message>
        <source>Si&amp;ze Column Width:</source>
        <translation>La&amp;rgeur colonne taille :</translation>
    </message>
    <message>
        <source>Date C&amp;olumn Width:</source>
        <translation>&amp;Largeur colonne date :</translation>
    </message>
    <message>
        <source>&amp;Print Preview</source>
        <translation>Aperçu a&amp;vant impression</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>C&amp;opier</translation>
    </message>
    <message>
        <source>&amp;Hide Print Preview</source>
        <translation>Fermer l&apos;aper&amp;çu</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Page:</source>
        <translation>Page :</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Page précédente</translation>
    </message>
    <message>
        <source>Previous page (Alt+Page Up)</source>
        <translation>Page précédente (Alt+Page préc.)</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Page suivante</translation>
    </message>
    <message>
        <source>Next page (Alt+Page Down)</source>
        <translation>Page suivante (Alt+Page suiv.)</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Enregistrer so&amp;us…</translation>
    </message>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Une erreur inattendue s&apos;est produite.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Help &amp;Contents</source>
        <translation>&amp;Sommaire de l&apos;aide</translation>
    </message>
    <message>
        <source>Help &amp;About</source>
        <translation>À &amp;propos</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>Im&amp;primer</translation>
    </message>
    <message>
        <source>&amp;More Options…</source>
        <translation>Options suppl&amp;émentaires…</translation>
    </message>
    <message>
        <source>Which files and folders to list, what sizes count, and in which order</source>
        <translation>Quels fichiers et dossiers lister, ce que comptent les tailles, et dans quel ordre</translation>
    </message>
    <message>
        <source>Save the listing as a PDF, a spreadsheet, CSV, HTML, JSON or text file (Ctrl+S)</source>
        <translation>Enregistrer la liste en PDF, classeur, fichier CSV, HTML, JSON ou texte (Ctrl+S)</translation>
    </message>
    <message>
        <source>Page Setup…</source>
        <translation>Mise en page…</translation>
    </message>
    <message>
        <source>Paper, margins and the table&apos;s size on the page (Ctrl+Shift+P); Ctrl+P prints with a choice of printer, copies and pages</source>
        <translation>Papier, marges et taille du tableau sur la page (Ctrl+Maj+P) ; Ctrl+P imprime avec le choix de l’imprimante, des exemplaires et des pages</translation>
    </message>
    <message>
        <source>Ctrl+Shift+P</source>
        <translation>Ctrl+Shift+P</translation>
    </message>
    <message>
        <source>Changes onl&amp;y</source>
        <translation>Changements seulement (&amp;Y)</translation>
    </message>
    <message>
        <source>List only what changed since the earlier listing, with the folders leading to it</source>
        <translation>Ne lister que ce qui a changé depuis la liste antérieure, avec les dossiers qui y mènent</translation>
    </message>
    <message>
        <source>Compare With…</source>
        <translation>Comparer avec…</translation>
    </message>
    <message>
        <source>Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)</source>
        <translation>Comparer le dossier avec une liste enregistrée plus tôt en JSON (Ctrl+Maj+O)</translation>
    </message>
</context>
</TS>
