<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>BuildProgressStrip</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%L1 entries listed, %L2 could not be read.</source>
        <translation>%L1 Einträge aufgelistet, %L2 konnten nicht gelesen werden.</translation>
    </message>
    <message>
        <source>%L1 entries listed.</source>
        <translation>%L1 Einträge aufgelistet.</translation>
    </message>
    <message>
        <source>Laying out pages</source>
        <translation>Seiten werden umbrochen</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Lese %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Lists a folder tree as a paginated print preview, prints it, or copies it to the clipboard.</source>
        <translation>Listet einen Ordnerbaum als Druckvorschau mit Seiten auf, druckt ihn oder kopiert ihn in die Zwischenablage.</translation>
    </message>
    <message>
        <source>The folder to list; the current folder when none is given.</source>
        <translation>Der aufzulistende Ordner; ohne Angabe der aktuelle Ordner.</translation>
    </message>
    <message>
        <source>--%1 and --%2 contradict each other</source>
        <translation>--%1 und --%2 widersprechen sich</translation>
    </message>
    <message>
        <source>--depth takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--depth verlangt eine ganze Zahl von 1 bis %1, nicht „%2“</translation>
    </message>
    <message>
        <source>--grid takes none, rows, top-bottom or all, not &quot;%1&quot;</source>
        <translation>--grid verlangt none, rows, top-bottom oder all, nicht „%1“</translation>
    </message>
    <message>
        <source>--widths takes three widths in twips, as 4000,1000,1000, not &quot;%1&quot;</source>
        <translation>--widths verlangt drei Breiten in Twips, etwa 4000,1000,1000, nicht „%1“</translation>
    </message>
    <message>
        <source>give --export or --print, not both</source>
        <translation>bitte --export oder --print angeben, nicht beides</translation>
    </message>
    <message>
        <source>--%1 needs --export or --print</source>
        <translation>--%1 braucht --export oder --print</translation>
    </message>
    <message>
        <source>give the folder to list</source>
        <translation>bitte den aufzulistenden Ordner angeben</translation>
    </message>
    <message>
        <source>--format needs --export</source>
        <translation>--format braucht --export</translation>
    </message>
    <message>
        <source>cannot tell the format of &quot;%1&quot; by its name; give --format</source>
        <translation>das Format von „%1“ ist am Namen nicht zu erkennen; bitte --format angeben</translation>
    </message>
    <message>
        <source>a PDF cannot go to standard output; give a file name</source>
        <translation>ein PDF kann nicht in die Standardausgabe gehen; bitte einen Dateinamen angeben</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist</source>
        <translation>„%1“ existiert nicht</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder</source>
        <translation>„%1“ ist kein Ordner</translation>
    </message>
    <message>
        <source>cannot open &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Usage: foliotrace [options] [FOLDER]
       foliotrace --export FILE [options] FOLDER
       foliotrace --print [options] FOLDER</source>
        <translation>Aufruf: foliotrace [Optionen] [ORDNER]
        foliotrace --export DATEI [Optionen] ORDNER
        foliotrace --print [Optionen] ORDNER</translation>
    </message>
    <message>
        <source>give one folder at most</source>
        <translation>bitte höchstens einen Ordner angeben</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Diese Hilfe zeigen und beenden.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Die Version zeigen und beenden.</translation>
    </message>
    <message>
        <source>Write the listing to FILE (- for standard output) without a window.</source>
        <translation>Die Liste ohne Fenster in DATEI schreiben (- für die Standardausgabe).</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMAT</translation>
    </message>
    <message>
        <source>Send the listing to the default printer without a window.</source>
        <translation>Die Liste ohne Fenster an den Standarddrucker senden.</translation>
    </message>
    <message>
        <source>List N levels of sub-folders, 1 to %1.</source>
        <translation>N Ebenen von Unterordnern auflisten, 1 bis %1.</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>List the files too.</source>
        <translation>Auch die Dateien auflisten.</translation>
    </message>
    <message>
        <source>List the folders only.</source>
        <translation>Nur die Ordner auflisten.</translation>
    </message>
    <message>
        <source>Show the size column.</source>
        <translation>Die Größenspalte zeigen.</translation>
    </message>
    <message>
        <source>Hide the size column.</source>
        <translation>Die Größenspalte ausblenden.</translation>
    </message>
    <message>
        <source>Show the date column.</source>
        <translation>Die Datumsspalte zeigen.</translation>
    </message>
    <message>
        <source>Hide the date column.</source>
        <translation>Die Datumsspalte ausblenden.</translation>
    </message>
    <message>
        <source>Grid lines: none, rows, top-bottom or all.</source>
        <translation>Rasterlinien: none, rows, top-bottom oder all.</translation>
    </message>
    <message>
        <source>STYLE</source>
        <translation>STIL</translation>
    </message>
    <message>
        <source>The mark in front of folder names.</source>
        <translation>Das Zeichen vor Ordnernamen.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>The mark in front of file names.</source>
        <translation>Das Zeichen vor Dateinamen.</translation>
    </message>
    <message>
        <source>The title above the table.</source>
        <translation>Der Titel über der Tabelle.</translation>
    </message>
    <message>
        <source>The three column widths in twips.</source>
        <translation>Die drei Spaltenbreiten in Twips.</translation>
    </message>
    <message>
        <source>NAME,SIZE,DATE</source>
        <translation>NAME,GRÖSSE,DATUM</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>ORDNER</translation>
    </message>
    <message>
        <source>[FOLDER]</source>
        <translation>[ORDNER]</translation>
    </message>
    <message>
        <source>%L1 entries, reading %2</source>
        <translation>%L1 Einträge, lese %2</translation>
    </message>
    <message>
        <source>one entry could not be read in full; it is marked &quot;?&quot; or &quot;+&quot;</source>
        <translation>ein Eintrag konnte nicht vollständig gelesen werden; er ist mit „?“ oder „+“ markiert</translation>
    </message>
    <message>
        <source>%L1 entries could not be read in full; they are marked &quot;?&quot; or &quot;+&quot;</source>
        <translation>%L1 Einträge konnten nicht vollständig gelesen werden; sie sind mit „?“ oder „+“ markiert</translation>
    </message>
    <message>
        <source>foliotrace: no display available (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen)
</source>
        <translation>foliotrace: kein Bildschirm verfügbar (DISPLAY oder WAYLAND_DISPLAY setzen, oder QT_QPA_PLATFORM=offscreen)
</translation>
    </message>
    <message>
        <source>List only the files whose names match one of PATTERNS, glob patterns separated by &quot;;&quot; (&quot;*.jpg; *.png&quot;); &quot;&quot; lists every file.</source>
        <translation>Nur die Dateien auflisten, deren Namen zu einem der MUSTER passen: Platzhaltermuster, getrennt durch „;“ („*.jpg; *.png“); &quot;&quot; listet jede Datei auf.</translation>
    </message>
    <message>
        <source>PATTERNS</source>
        <translation>MUSTER</translation>
    </message>
    <message>
        <source>Leave out the files and folders whose names match one of PATTERNS; a folder left out is not entered.</source>
        <translation>Dateien und Ordner weglassen, deren Namen zu einem der MUSTER passen; ein weggelassener Ordner wird nicht betreten.</translation>
    </message>
    <message>
        <source>Patterns tell capitals from small letters.</source>
        <translation>Muster unterscheiden Groß- und Kleinbuchstaben.</translation>
    </message>
    <message>
        <source>Patterns take capitals and small letters alike.</source>
        <translation>Muster behandeln Groß- und Kleinbuchstaben gleich.</translation>
    </message>
    <message>
        <source>List the names that start with &quot;.&quot;.</source>
        <translation>Namen auflisten, die mit „.“ beginnen.</translation>
    </message>
    <message>
        <source>Leave out the names that start with &quot;.&quot;.</source>
        <translation>Namen weglassen, die mit „.“ beginnen.</translation>
    </message>
    <message>
        <source>Leave out folders with no file listed at any depth below.</source>
        <translation>Ordner weglassen, unter denen in keiner Tiefe eine Datei aufgelistet ist.</translation>
    </message>
    <message>
        <source>List folders with nothing listed below too.</source>
        <translation>Auch Ordner auflisten, unter denen nichts aufgelistet ist.</translation>
    </message>
    <message>
        <source>List the mount points of other file systems without entering them.</source>
        <translation>Einhängepunkte anderer Dateisysteme auflisten, ohne sie zu betreten.</translation>
    </message>
    <message>
        <source>Enter the file systems mounted below.</source>
        <translation>Die darunter eingehängten Dateisysteme betreten.</translation>
    </message>
    <message>
        <source>Sizes are the space on disk, as du counts it.</source>
        <translation>Größen sind der Platz auf dem Datenträger, wie du ihn zählt.</translation>
    </message>
    <message>
        <source>Sizes are the files&apos; lengths.</source>
        <translation>Größen sind die Längen der Dateien.</translation>
    </message>
    <message>
        <source>A folder&apos;s size counts a file of several hard links once.</source>
        <translation>Die Größe eines Ordners zählt eine Datei mit mehreren harten Links einmal.</translation>
    </message>
    <message>
        <source>A folder&apos;s size counts every name of a file.</source>
        <translation>Die Größe eines Ordners zählt jeden Namen einer Datei.</translation>
    </message>
    <message>
        <source>The order within each folder: name, size (largest first), date (newest first) or extension.</source>
        <translation>Die Reihenfolge in jedem Ordner: name, size (größte zuerst), date (neueste zuerst) oder extension.</translation>
    </message>
    <message>
        <source>ORDER</source>
        <translation>REIHENFOLGE</translation>
    </message>
    <message>
        <source>--%1: %2</source>
        <translation>--%1: %2</translation>
    </message>
    <message>
        <source>--sort takes name, size, date or extension, not &quot;%1&quot;</source>
        <translation>--sort erwartet name, size, date oder extension, nicht „%1“</translation>
    </message>
    <message>
        <source>The format of FILE: %1 (else FILE&apos;s extension).</source>
        <translation>Das Format von DATEI: %1 (sonst nach der Endung von DATEI).</translation>
    </message>
    <message>
        <source>The paper: A4, Letter, Legal, A3, … (else the default printer&apos;s).</source>
        <translation>Das Papier: A4, Letter, Legal, A3, … (sonst das des Standarddruckers).</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Lay the pages out across the paper.</source>
        <translation>Die Seiten im Querformat anlegen.</translation>
    </message>
    <message>
        <source>Lay the pages out upright.</source>
        <translation>Die Seiten im Hochformat anlegen.</translation>
    </message>
    <message>
        <source>Fit the columns to the page width.</source>
        <translation>Die Spalten an die Seitenbreite anpassen.</translation>
    </message>
    <message>
        <source>Keep the column widths as they are.</source>
        <translation>Die Spaltenbreiten lassen, wie sie sind.</translation>
    </message>
    <message>
        <source>The table&apos;s text, 80 to 150 percent of its usual 8 and 10 pt.</source>
        <translation>Der Text der Tabelle, 80 bis 150 Prozent seiner üblichen 8 und 10 pt.</translation>
    </message>
    <message>
        <source>PERCENT</source>
        <translation>PROZENT</translation>
    </message>
    <message>
        <source>Print on NAME, not on the default printer.</source>
        <translation>Auf NAME drucken, nicht auf dem Standarddrucker.</translation>
    </message>
    <message>
        <source>Print N copies.</source>
        <translation>N Exemplare drucken.</translation>
    </message>
    <message>
        <source>Print only these pages, as lp -P takes them (1-3,7,9-).</source>
        <translation>Nur diese Seiten drucken, wie lp -P sie nimmt (1-3,7,9-).</translation>
    </message>
    <message>
        <source>RANGE</source>
        <translation>BEREICH</translation>
    </message>
    <message>
        <source>--paper takes a paper&apos;s name, as A4, Letter or Legal, not &quot;%1&quot;</source>
        <translation>--paper erwartet den Namen eines Papiers, etwa A4, Letter oder Legal, nicht „%1“</translation>
    </message>
    <message>
        <source>--text-size takes a whole number from %1 to %2, not &quot;%3&quot;</source>
        <translation>--text-size erwartet eine ganze Zahl von %1 bis %2, nicht „%3“</translation>
    </message>
    <message>
        <source>--printer takes a printer&apos;s name</source>
        <translation>--printer erwartet den Namen eines Druckers</translation>
    </message>
    <message>
        <source>--copies takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--copies erwartet eine ganze Zahl von 1 bis %1, nicht „%2“</translation>
    </message>
    <message>
        <source>--pages takes pages as lp -P does, as 1-3,7 or 9-, not &quot;%1&quot;</source>
        <translation>--pages erwartet Seiten wie lp -P, etwa 1-3,7 oder 9-, nicht „%1“</translation>
    </message>
    <message>
        <source>--%1 needs --print</source>
        <translation>--%1 braucht --print</translation>
    </message>
    <message>
        <source>--format takes %1, not &quot;%2&quot;</source>
        <translation>--format erwartet %1, nicht „%2“</translation>
    </message>
    <message>
        <source>--%1 shapes pages, which only --print and a PDF have</source>
        <translation>--%1 gestaltet Seiten, die nur --print und ein PDF haben</translation>
    </message>
    <message>
        <source>--columns takes files, folders, time, owner, permissions, created and path, not &quot;%1&quot;</source>
        <translation>--columns nimmt files, folders, time, owner, permissions, created und path, nicht „%1“</translation>
    </message>
    <message>
        <source>More columns, comma-separated: files, folders, time, owner, permissions, created, path; &quot;&quot; for none.</source>
        <translation>Weitere Spalten, durch Kommas getrennt: files, folders, time, owner, permissions, created, path; &quot;&quot; für keine.</translation>
    </message>
    <message>
        <source>WORDS</source>
        <translation>WÖRTER</translation>
    </message>
    <message>
        <source>A line of totals under the table (folders, files, KB).</source>
        <translation>Eine Summenzeile unter der Tabelle (Ordner, Dateien, KB).</translation>
    </message>
    <message>
        <source>--changes-only needs --compare</source>
        <translation>--changes-only braucht --compare</translation>
    </message>
    <message>
        <source>Compare the folder with LISTING, a JSON listing saved earlier: a Change column says what was added, removed or changed since.</source>
        <translation>Den Ordner mit LISTE vergleichen, einer früher gespeicherten JSON-Liste: eine Spalte „Änderung“ sagt, was seither hinzukam, wegfiel oder sich änderte.</translation>
    </message>
    <message>
        <source>LISTING</source>
        <translation>LISTE</translation>
    </message>
    <message>
        <source>With --compare, list only what changed and the folders leading to it.</source>
        <translation>Mit --compare nur auflisten, was sich änderte, und die Ordner dorthin.</translation>
    </message>
    <message>
        <source>No line of totals.</source>
        <translation>Keine Summenzeile.</translation>
    </message>
</context>
<context>
    <name>CompareChoice</name>
    <message>
        <source>Choose &amp;Another Listing…</source>
        <translation>&amp;Andere Liste wählen…</translation>
    </message>
    <message>
        <source>Compare &amp;No More</source>
        <translation>&amp;Nicht mehr vergleichen</translation>
    </message>
    <message>
        <source>Compare With an Earlier Listing</source>
        <translation>Mit einer früheren Liste vergleichen</translation>
    </message>
    <message>
        <source>Foliotrace listings (*.json);;All files (*)</source>
        <translation>Foliotrace-Listen (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Compare With…</source>
        <translation>Vergleichen mit…</translation>
    </message>
    <message>
        <source>Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)</source>
        <translation>Den Ordner mit einer früher als JSON gespeicherten Liste vergleichen (Strg+Umschalt+O)</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 vom %2</translation>
    </message>
    <message>
        <source>Compared with %1 (Ctrl+Shift+O: another, or none)</source>
        <translation>Verglichen mit %1 (Strg+Umschalt+O: eine andere oder keine)</translation>
    </message>
</context>
<context>
    <name>DocumentOutput</name>
    <message>
        <source>There is no document to save.</source>
        <translation>Es gibt kein Dokument zum Speichern.</translation>
    </message>
    <message>
        <source>There is no document to print.</source>
        <translation>Es gibt kein Dokument zum Drucken.</translation>
    </message>
    <message>
        <source>Waiting for the print server %1…</source>
        <translation>Warte auf den Druckserver %1…</translation>
    </message>
    <message>
        <source>Cannot write the copy for the printer in %1: %2.</source>
        <translation>Die Kopie für den Drucker kann nicht in %1 geschrieben werden: %2.</translation>
    </message>
    <message>
        <source>Preparing page %L1 of %L2 for %3…</source>
        <translation>Bereite Seite %L1 von %L2 für %3 vor…</translation>
    </message>
    <message>
        <source>Sending the document to %1…</source>
        <translation>Sende das Dokument an %1…</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no pages; give them as 1-3,7 or 9-.</source>
        <translation>„%1“ nennt keine Seiten; gib sie an wie 1-3,7 oder 9-.</translation>
    </message>
    <message>
        <source>The document has one page, none of %1.</source>
        <translation>Das Dokument hat eine Seite, keine von %1.</translation>
    </message>
    <message>
        <source>The document has %L2 pages, none of %1.</source>
        <translation>Das Dokument hat %L2 Seiten, keine von %1.</translation>
    </message>
</context>
<context>
    <name>EarlierListing</name>
    <message>
        <source>it holds no object of named fields</source>
        <translation>sie enthält kein Objekt benannter Felder</translation>
    </message>
    <message>
        <source>its format is &quot;%1&quot;</source>
        <translation>ihr Format ist „%1“</translation>
    </message>
    <message>
        <source>it lists only what changed, not the whole folder</source>
        <translation>sie listet nur Änderungen, nicht den ganzen Ordner</translation>
    </message>
    <message>
        <source>&quot;folder_bytes&quot; is not base64</source>
        <translation>„folder_bytes“ ist kein Base64</translation>
    </message>
    <message>
        <source>&quot;children&quot; is not a list of entries</source>
        <translation>„children“ ist keine Liste von Einträgen</translation>
    </message>
    <message>
        <source>&quot;version&quot; is not a format version</source>
        <translation>„version“ ist keine Formatversion</translation>
    </message>
    <message>
        <source>an entry that is not an object</source>
        <translation>ein Eintrag, der kein Objekt ist</translation>
    </message>
    <message>
        <source>an entry&apos;s &quot;children&quot; is not a list</source>
        <translation>das „children“ eines Eintrags ist keine Liste</translation>
    </message>
    <message>
        <source>it outgrew %L1 MB after %L2 entries</source>
        <translation>sie wuchs nach %L2 Einträgen über %L1 MB</translation>
    </message>
    <message>
        <source>an entry&apos;s name is not a text</source>
        <translation>der Name eines Eintrags ist kein Text</translation>
    </message>
    <message>
        <source>an entry&apos;s &quot;name_bytes&quot; is not base64</source>
        <translation>das „name_bytes“ eines Eintrags ist kein Base64</translation>
    </message>
    <message>
        <source>an entry&apos;s kind is not a text</source>
        <translation>die Art eines Eintrags ist kein Text</translation>
    </message>
    <message>
        <source>the size %1 is not a number of bytes</source>
        <translation>die Größe %1 ist keine Anzahl Bytes</translation>
    </message>
    <message>
        <source>the modification time %1 is not a date and time</source>
        <translation>die Änderungszeit %1 ist kein Datum mit Uhrzeit</translation>
    </message>
    <message>
        <source>an entry without a name</source>
        <translation>ein Eintrag ohne Namen</translation>
    </message>
    <message>
        <source>an entry named &quot;%1&quot;, which no file can be</source>
        <translation>ein Eintrag namens „%1“, wie keine Datei heißen kann</translation>
    </message>
    <message>
        <source>an entry without a kind</source>
        <translation>ein Eintrag ohne Art</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a text</source>
        <translation>„%1“ ist kein Text</translation>
    </message>
    <message>
        <source>it names no folder (&quot;folder&quot;)</source>
        <translation>sie nennt keinen Ordner („folder“)</translation>
    </message>
    <message>
        <source>it has no list of entries (&quot;children&quot;)</source>
        <translation>sie hat keine Liste von Einträgen („children“)</translation>
    </message>
    <message>
        <source>the entry &quot;%1&quot; is listed twice</source>
        <translation>der Eintrag „%1“ steht zweimal darin</translation>
    </message>
    <message>
        <source>it ends in the middle of a text</source>
        <translation>sie endet mitten in einem Text</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>it ends inside its entries, after %L1 of them</source>
        <translation>sie endet inmitten ihrer Einträge, nach %L1 davon</translation>
    </message>
    <message>
        <source>it ends before its listing does</source>
        <translation>sie endet vor dem Ende ihrer Liste</translation>
    </message>
</context>
<context>
    <name>EarlierListingError</name>
    <message>
        <source> at line %L1, byte %L2</source>
        <translation> in Zeile %L1, Byte %L2</translation>
    </message>
    <message>
        <source>Cannot read the listing &quot;%1&quot;: %2.</source>
        <translation>Die Liste „%1“ kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Foliotrace listing: it is not JSON text (%2%3).</source>
        <translation>„%1“ ist keine Foliotrace-Liste: es ist kein JSON-Text (%2%3).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Foliotrace listing: %2%3.</source>
        <translation>„%1“ ist keine Foliotrace-Liste: %2%3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is cut short: %2%3. It may not have been saved or copied in full.</source>
        <translation>„%1“ ist abgeschnitten: %2%3. Sie wurde vielleicht nicht vollständig gespeichert oder kopiert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a damaged listing: %2%3.</source>
        <translation>„%1“ ist eine beschädigte Liste: %2%3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was saved by a newer Foliotrace (listing format version %2); this version reads version %3.</source>
        <translation>„%1“ wurde von einem neueren Foliotrace gespeichert (Listenformat Version %2); diese Version liest Version %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds more entries than this computer can safely compare: %2.</source>
        <translation>„%1“ enthält mehr Einträge, als dieser Computer sicher vergleichen kann: %2.</translation>
    </message>
</context>
<context>
    <name>ExportFormat</name>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>PDF-Dokument (*.pdf)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>CSV-Tabelle (*.csv)</translation>
    </message>
    <message>
        <source>Web page (*.html)</source>
        <translation>Webseite (*.html)</translation>
    </message>
    <message>
        <source>JSON data (*.json)</source>
        <translation>JSON-Daten (*.json)</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Text (*.txt)</translation>
    </message>
    <message>
        <source>Tab-separated text (*.tsv)</source>
        <translation>Tabulatorgetrennter Text (*.tsv)</translation>
    </message>
    <message>
        <source>Spreadsheet (*.xlsx)</source>
        <translation>Tabelle (*.xlsx)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 oder %2</translation>
    </message>
</context>
<context>
    <name>ExportText</name>
    <message>
        <source>The spreadsheet could not be made: %1.</source>
        <translation>Die Tabelle konnte nicht erstellt werden: %1.</translation>
    </message>
    <message>
        <source>Size (bytes)</source>
        <translation>Größe (Bytes)</translation>
    </message>
    <message>
        <source>Cannot make the spreadsheet in %1: %2.</source>
        <translation>Die Tabelle kann in %1 nicht erstellt werden: %2.</translation>
    </message>
</context>
<context>
    <name>ExportText::Workbook</name>
    <message>
        <source>Not read in full</source>
        <translation>Nicht vollständig gelesen</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>… and %L1 more</source>
        <translation>… und %L1 weitere</translation>
    </message>
    <message>
        <source>Listing</source>
        <translation>Auflistung</translation>
    </message>
    <message>
        <source>Listing (%1)</source>
        <translation>Auflistung (%1)</translation>
    </message>
</context>
<context>
    <name>FileSystemError</name>
    <message>
        <source>Cannot open folder &quot;%1&quot;: %2</source>
        <translation>Ordner „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Cannot read folder &quot;%1&quot;: %2</source>
        <translation>Ordner „%1“ kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>„%1“ kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>Find a name</source>
        <translation>Einen Namen suchen</translation>
    </message>
    <message>
        <source>Close the find bar (Escape)</source>
        <translation>Suchleiste schließen (Esc)</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>Suchleiste schließen</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
</context>
<context>
    <name>FolderChoice</name>
    <message>
        <source>Select a Folder</source>
        <translation>Ordner wählen</translation>
    </message>
</context>
<context>
    <name>GridStyle</name>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Zeilen</translation>
    </message>
    <message>
        <source>Top &amp; Bottom</source>
        <translation>Oben und unten</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Foliotrace Help</source>
        <translation>Foliotrace-Hilfe</translation>
    </message>
    <message>
        <source>This help is in English.</source>
        <translation>Diese Hilfe ist auf Englisch.</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;No help file has been set up for this program yet.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Hilfe nicht verfügbar&lt;/h2&gt;&lt;p&gt;Für dieses Programm ist noch keine Hilfedatei eingerichtet.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; could not be opened: %2.&lt;/p&gt;&lt;p&gt;It belongs in the folder that holds the program. Installing Foliotrace again puts it back.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Hilfe nicht verfügbar&lt;/h2&gt;&lt;p&gt;Die Hilfedatei &lt;b&gt;%1&lt;/b&gt; konnte nicht geöffnet werden: %2.&lt;/p&gt;&lt;p&gt;Sie gehört in den Ordner des Programms. Eine neue Installation von Foliotrace stellt sie wieder her.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic not found&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; has no topic number %2.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Thema nicht gefunden&lt;/h2&gt;&lt;p&gt;Die Hilfedatei &lt;b&gt;%1&lt;/b&gt; hat kein Thema mit der Nummer %2.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>JsonTokens</name>
    <message>
        <source>the end of the file</source>
        <translation>das Dateiende</translation>
    </message>
    <message>
        <source>the end of the file inside a text</source>
        <translation>das Dateiende innerhalb eines Texts</translation>
    </message>
    <message>
        <source>more than %L1 levels of lists and objects</source>
        <translation>mehr als %L1 Ebenen von Listen und Objekten</translation>
    </message>
    <message>
        <source>a text longer than %L1 bytes</source>
        <translation>ein Text länger als %L1 Bytes</translation>
    </message>
    <message>
        <source>a control character inside a text</source>
        <translation>ein Steuerzeichen innerhalb eines Texts</translation>
    </message>
    <message>
        <source>an unknown escape &quot;\%1&quot;</source>
        <translation>eine unbekannte Maskierung „\%1“</translation>
    </message>
    <message>
        <source>half of a surrogate pair</source>
        <translation>die Hälfte eines Surrogatpaars</translation>
    </message>
    <message>
        <source>a &quot;\u&quot; escape without four hex digits</source>
        <translation>eine „\u“-Maskierung ohne vier Hexadezimalziffern</translation>
    </message>
    <message>
        <source>a text that is not UTF-8</source>
        <translation>ein Text, der kein UTF-8 ist</translation>
    </message>
    <message>
        <source>the end of the file inside a number</source>
        <translation>das Dateiende innerhalb einer Zahl</translation>
    </message>
    <message>
        <source>a number longer than %L1 characters</source>
        <translation>eine Zahl länger als %L1 Zeichen</translation>
    </message>
    <message>
        <source>the end of the file inside a value</source>
        <translation>das Dateiende innerhalb eines Werts</translation>
    </message>
    <message>
        <source>an unexpected &quot;%1&quot;</source>
        <translation>ein unerwartetes „%1“</translation>
    </message>
    <message>
        <source>an unexpected byte 0x%1</source>
        <translation>ein unerwartetes Byte 0x%1</translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>The same folder as one that holds it</source>
        <translation>Derselbe Ordner wie einer, der ihn enthält</translation>
    </message>
    <message>
        <source>%1 file system, not entered</source>
        <translation>Dateisystem %1, nicht betreten</translation>
    </message>
    <message>
        <source>Sub-Directories</source>
        <translation>Unterordner</translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation>Größe (KB)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>The listing grew past %L1 MB after %L2 entries, more than this computer can safely hold, and was stopped. Choose fewer sub-directory levels, a smaller folder or shorter marks.</source>
        <translation>Die Liste wuchs nach %L2 Einträgen über %L1 MB, mehr als dieser Rechner sicher halten kann, und wurde angehalten. Bitte weniger Unterordnerebenen, einen kleineren Ordner oder kürzere Zeichen wählen.</translation>
    </message>
    <message>
        <source>… and %L1 more</source>
        <translation>… und %L1 weitere</translation>
    </message>
    <message>
        <source>not entered: another file system</source>
        <translation>nicht betreten: ein anderes Dateisystem</translation>
    </message>
    <message>
        <source>1 folder</source>
        <translation>1 Ordner</translation>
    </message>
    <message>
        <source>%1 folders</source>
        <translation>%1 Ordner</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 Datei</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 Dateien</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
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
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Besitzer</translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation>Rechte</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Erstellt</translation>
    </message>
    <message>
        <source>added</source>
        <translation>neu</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>geändert</translation>
    </message>
    <message>
        <source>Compared with %1 of %2</source>
        <translation>Verglichen mit %1 vom %2</translation>
    </message>
    <message>
        <source>Compared with %1</source>
        <translation>Verglichen mit %1</translation>
    </message>
    <message>
        <source>: %L1 added, %L2 removed, %L3 changed</source>
        <translation>: %L1 neu, %L2 entfernt, %L3 geändert</translation>
    </message>
    <message>
        <source>, total %1</source>
        <translation>, insgesamt %1</translation>
    </message>
    <message>
        <source>the earlier listing went %L1 levels deep</source>
        <translation>die frühere Liste ging %L1 Ebenen tief</translation>
    </message>
    <message>
        <source>it listed no files</source>
        <translation>sie listete keine Dateien</translation>
    </message>
    <message>
        <source>its choices left entries out</source>
        <translation>ihre Auswahl ließ Einträge aus</translation>
    </message>
    <message>
        <source>it could not read some folders</source>
        <translation>sie konnte manche Ordner nicht lesen</translation>
    </message>
    <message>
        <source>it had no sizes</source>
        <translation>sie hatte keine Größen</translation>
    </message>
    <message>
        <source>it had no dates</source>
        <translation>sie hatte keine Daten</translation>
    </message>
    <message>
        <source>folder sizes, as its choices differ</source>
        <translation>Ordnergrößen, da ihre Auswahl abweicht</translation>
    </message>
    <message>
        <source>it counted sizes another way</source>
        <translation>sie zählte Größen anders</translation>
    </message>
    <message>
        <source>; not compared: %1</source>
        <translation>; nicht verglichen: %1</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
</context>
<context>
    <name>ListingChoiceText</name>
    <message>
        <source>only %1</source>
        <translation>nur %1</translation>
    </message>
    <message>
        <source>skipping %1</source>
        <translation>ohne %1</translation>
    </message>
    <message>
        <source>matching case</source>
        <translation>Groß-/Kleinschreibung beachtet</translation>
    </message>
    <message>
        <source>hidden entries left out</source>
        <translation>versteckte Einträge weggelassen</translation>
    </message>
    <message>
        <source>folders with nothing listed left out</source>
        <translation>Ordner ohne Aufgelistetes weggelassen</translation>
    </message>
    <message>
        <source>other file systems not entered</source>
        <translation>andere Dateisysteme nicht betreten</translation>
    </message>
    <message>
        <source>sizes on disk</source>
        <translation>Größen auf dem Datenträger</translation>
    </message>
    <message>
        <source>hard links counted once</source>
        <translation>harte Links einmal gezählt</translation>
    </message>
</context>
<context>
    <name>ListingComposer</name>
    <message>
        <source>Not read in full</source>
        <translation>Nicht vollständig gelesen</translation>
    </message>
    <message>
        <source>Page %d</source>
        <translation>Seite %d</translation>
    </message>
    <message>
        <source>The columns are wider than the paper: %1 twips, where there is room for %L2 between the margins.</source>
        <translation>Die Spalten sind breiter als das Papier: %1 Twips, zwischen den Rändern ist Platz für %L2.</translation>
    </message>
    <message>
        <source>Cut at the paper&apos;s edge: %1.</source>
        <translation>Am Papierrand abgeschnitten: %1.</translation>
    </message>
    <message>
        <source>Beyond it, and not shown: %1.</source>
        <translation>Jenseits davon und nicht gezeigt: %1.</translation>
    </message>
    <message>
        <source>Narrower widths bring them onto the page, as does fitting the columns to the page width.</source>
        <translation>Schmalere Breiten bringen sie auf die Seite, ebenso das Anpassen der Spalten an die Seitenbreite.</translation>
    </message>
</context>
<context>
    <name>ListingExport</name>
    <message>
        <source>the PDF could not be completed</source>
        <translation>das PDF konnte nicht fertiggestellt werden</translation>
    </message>
    <message>
        <source>the listing could not be written</source>
        <translation>die Liste konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Not read in full</source>
        <translation>Nicht vollständig gelesen</translation>
    </message>
</context>
<context>
    <name>ListingOptionsDialog</name>
    <message>
        <source>Listing Options</source>
        <translation>Auflistungsoptionen</translation>
    </message>
    <message>
        <source>Which entries</source>
        <translation>Welche Einträge</translation>
    </message>
    <message>
        <source>&amp;Include files:</source>
        <translation>Dateien a&amp;ufnehmen:</translation>
    </message>
    <message>
        <source>*.jpg; *.png (empty: every file)</source>
        <translation>*.jpg; *.png (leer: jede Datei)</translation>
    </message>
    <message>
        <source>Only files whose names match one of these patterns are listed; folders are walked all the same</source>
        <translation>Nur Dateien, deren Namen zu einem dieser Muster passen, werden aufgelistet; Ordner werden trotzdem durchlaufen</translation>
    </message>
    <message>
        <source>S&amp;kip:</source>
        <translation>Ü&amp;berspringen:</translation>
    </message>
    <message>
        <source>node_modules; *.tmp; .git</source>
        <translation>node_modules; *.tmp; .git</translation>
    </message>
    <message>
        <source>Files and folders whose names match one of these patterns are left out; a folder left out is not entered</source>
        <translation>Dateien und Ordner, deren Namen zu einem dieser Muster passen, werden weggelassen; ein weggelassener Ordner wird nicht betreten</translation>
    </message>
    <message>
        <source>&amp;Match case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>List hidd&amp;en files and folders</source>
        <translation>&amp;Versteckte Dateien und Ordner auflisten</translation>
    </message>
    <message>
        <source>Names that start with &quot;.&quot;</source>
        <translation>Namen, die mit „.“ beginnen</translation>
    </message>
    <message>
        <source>Leave out folders with &amp;nothing listed</source>
        <translation>Ordner &amp;ohne Aufgelistetes weglassen</translation>
    </message>
    <message>
        <source>Stay on this file s&amp;ystem</source>
        <translation>Auf diesem &amp;Dateisystem bleiben</translation>
    </message>
    <message>
        <source>A folder where another file system is mounted is listed, not entered</source>
        <translation>Ein Ordner, in dem ein anderes Dateisystem eingehängt ist, wird aufgelistet, aber nicht betreten</translation>
    </message>
    <message>
        <source>Sizes</source>
        <translation>Größen</translation>
    </message>
    <message>
        <source>File len&amp;gth</source>
        <translation>Date&amp;ilänge</translation>
    </message>
    <message>
        <source>Space on di&amp;sk</source>
        <translation>&amp;Platz auf dem Datenträger</translation>
    </message>
    <message>
        <source>The blocks a file takes, as du counts them: a sparse file takes little</source>
        <translation>Die Blöcke, die eine Datei belegt, wie du sie zählt: eine Datei mit Lücken belegt wenig</translation>
    </message>
    <message>
        <source>Count a file with several hard &amp;links once</source>
        <translation>Datei mit mehreren &amp;harten Links einmal zählen</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Reihenfolge</translation>
    </message>
    <message>
        <source>Or&amp;der:</source>
        <translation>&amp;Reihenfolge:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size, largest first</source>
        <translation>Größe, größte zuerst</translation>
    </message>
    <message>
        <source>Date, newest first</source>
        <translation>Datum, neueste zuerst</translation>
    </message>
    <message>
        <source>Extension, then name</source>
        <translation>Endung, dann Name</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>&amp;Standard wiederherstellen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Hil&amp;fe</translation>
    </message>
    <message>
        <source>Include files: %1</source>
        <translation>Dateien aufnehmen: %1</translation>
    </message>
    <message>
        <source>Skip: %1</source>
        <translation>Überspringen: %1</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Width (twips)</source>
        <translation>Breite (Twips)</translation>
    </message>
    <message>
        <source>&amp;Files in each folder&apos;s tree</source>
        <translation>D&amp;ateien im Baum jedes Ordners</translation>
    </message>
    <message>
        <source>Width of the files column, in twips</source>
        <translation>Breite der Spalte Dateien, in Twips</translation>
    </message>
    <message>
        <source>F&amp;olders in each folder&apos;s tree</source>
        <translation>Ord&amp;ner im Baum jedes Ordners</translation>
    </message>
    <message>
        <source>Width of the folders column, in twips</source>
        <translation>Breite der Spalte Ordner, in Twips</translation>
    </message>
    <message>
        <source>&amp;Time of day last modified</source>
        <translation>Uhr&amp;zeit der letzten Änderung</translation>
    </message>
    <message>
        <source>Width of the time column, in twips</source>
        <translation>Breite der Spalte Uhrzeit, in Twips</translation>
    </message>
    <message>
        <source>O&amp;wner</source>
        <translation>Besi&amp;tzer</translation>
    </message>
    <message>
        <source>Width of the owner column, in twips</source>
        <translation>Breite der Spalte Besitzer, in Twips</translation>
    </message>
    <message>
        <source>&amp;Permissions</source>
        <translation>Re&amp;chte</translation>
    </message>
    <message>
        <source>Width of the permissions column, in twips</source>
        <translation>Breite der Spalte Rechte, in Twips</translation>
    </message>
    <message>
        <source>&amp;Created (where the file system keeps it)</source>
        <translation>&amp;Erstellt (wo das Dateisystem es festhält)</translation>
    </message>
    <message>
        <source>Width of the created column, in twips</source>
        <translation>Breite der Spalte Erstellt, in Twips</translation>
    </message>
    <message>
        <source>P&amp;ath from the selected folder</source>
        <translation>Pfad ab dem ge&amp;wählten Ordner</translation>
    </message>
    <message>
        <source>Width of the path column, in twips</source>
        <translation>Breite der Spalte Pfad, in Twips</translation>
    </message>
    <message>
        <source>A line of totals &amp;under the table</source>
        <translation>Eine Summenzei&amp;le unter der Tabelle</translation>
    </message>
    <message>
        <source>Folders, files and KB of the whole tree, each where its column is on</source>
        <translation>Ordner, Dateien und KB des ganzen Baums, jeweils wenn ihre Spalte an ist</translation>
    </message>
    <message>
        <source>The width of the %1 column is no number of twips: &quot;%2&quot;</source>
        <translation>Die Breite der Spalte %1 ist keine Zahl von Twips: „%2“</translation>
    </message>
</context>
<context>
    <name>NamePattern</name>
    <message>
        <source>&quot;%1&quot; ends in a &quot;\&quot; with nothing after it</source>
        <translation>„%1“ endet mit einem „\“, auf das nichts folgt</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a range that runs backwards: &quot;%2-%3&quot;</source>
        <translation>„%1“ enthält einen rückwärts laufenden Bereich: „%2-%3“</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a &quot;[&quot; with no &quot;]&quot; to close it</source>
        <translation>„%1“ hat ein „[“ ohne schließendes „]“</translation>
    </message>
</context>
<context>
    <name>OptionStore</name>
    <message>
        <source>it is a folder, not a regular file</source>
        <translation>es ist ein Ordner, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a regular file</source>
        <translation>es ist eine benannte Pipe (FIFO), keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is a socket, not a regular file</source>
        <translation>es ist ein Socket, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>it is a device, not a regular file</source>
        <translation>es ist ein Gerät, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>%1 is a file, so the folder %2 cannot be created</source>
        <translation>%1 ist eine Datei, daher kann der Ordner %2 nicht angelegt werden</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>the settings file could not be written</source>
        <translation>die Einstellungsdatei konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <source>there are too many earlier copies</source>
        <translation>es gibt zu viele frühere Kopien</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held %L2 characters; the first %L3 are used</source>
        <translation>„%1“ enthielt %L2 Zeichen; die ersten %L3 werden verwendet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held %L2 characters, more than any option takes; &quot;%3&quot; is used instead</source>
        <translation>„%1“ enthielt %L2 Zeichen, mehr als eine Option aufnimmt; stattdessen wird „%3“ verwendet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held &quot;%2&quot;; &quot;%3&quot; is used instead</source>
        <translation>„%1“ enthielt „%2“; stattdessen wird „%3“ verwendet</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read, nor be set aside (%2). It is left as it is, and the options will not be remembered.</source>
        <translation>Die Einstellungsdatei %1 konnte weder gelesen noch beiseitegelegt werden (%2). Sie bleibt, wie sie ist, und die Optionen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read. It is kept as %2; what could be read of it is used, and the options are stored afresh at the next Print Preview, Copy or Save As.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden. Sie wird als %2 aufbewahrt; was davon lesbar war, wird verwendet, und die Optionen werden bei der nächsten Druckvorschau, Kopie oder Speicherung neu gespeichert.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read. It is kept as %2, and the options were stored afresh.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden. Sie wird als %2 aufbewahrt, und die Optionen wurden neu gespeichert.</translation>
    </message>
    <message>
        <source>the file could not be read, nor be set aside (%1), so it is left as it is</source>
        <translation>die Datei konnte weder gelesen noch beiseitegelegt werden (%1) und bleibt daher, wie sie ist</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2. It is left as it is; the defaults are used, and the options will not be remembered.</source>
        <translation>Die Einstellungsdatei %1 kann nicht gelesen werden: %2. Sie bleibt, wie sie ist; die Vorgaben werden verwendet, und die Optionen werden nicht gespeichert.</translation>
    </message>
    <message>
        <source>Some stored options could not be used as they were:</source>
        <translation>Einige gespeicherte Optionen konnten nicht so verwendet werden, wie sie waren:</translation>
    </message>
    <message>
        <source>• %1.</source>
        <translation>• %1.</translation>
    </message>
    <message>
        <source>The options are stored again at the next Print Preview, Copy or Save As.</source>
        <translation>Die Optionen werden bei der nächsten Druckvorschau, Kopie oder Speicherung wieder gespeichert.</translation>
    </message>
    <message>
        <source>cannot read the settings file %1: %2; the defaults are used</source>
        <translation>die Einstellungsdatei %1 kann nicht gelesen werden: %2; die Vorgaben werden verwendet</translation>
    </message>
    <message>
        <source>cannot read all of the settings file %1; what could be read of it is used</source>
        <translation>die Einstellungsdatei %1 kann nicht ganz gelesen werden; was davon lesbar war, wird verwendet</translation>
    </message>
    <message>
        <source>the stored option %1</source>
        <translation>die gespeicherte Option %1</translation>
    </message>
    <message>
        <source>The options could not be saved to %1: %2. They will not be remembered when Foliotrace closes.</source>
        <translation>Die Optionen konnten nicht in %1 gespeichert werden: %2. Sie gehen verloren, wenn Foliotrace geschlossen wird.</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>its folder is not writable (%1), and a file is only replaced by a complete listing written beside it</source>
        <translation>ihr Ordner ist nicht beschreibbar (%1), und eine Datei wird nur durch eine daneben vollständig geschriebene Liste ersetzt</translation>
    </message>
    <message>
        <source>%1; the complete listing is kept in %2</source>
        <translation>%1; die vollständige Liste liegt in %2</translation>
    </message>
    <message>
        <source>Cannot write to standard output: %1.</source>
        <translation>In die Standardausgabe kann nicht geschrieben werden: %1.</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2.</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2.</translation>
    </message>
</context>
<context>
    <name>PageSetupExtras</name>
    <message>
        <source>Listing</source>
        <translation>Auflistung</translation>
    </message>
    <message>
        <source>F&amp;it the columns to the page width</source>
        <translation>Spalten an die Seiten&amp;breite anpassen</translation>
    </message>
    <message>
        <source>The column widths scaled in proportion, so that the table fills the room between the margins</source>
        <translation>Die Spaltenbreiten werden im Verhältnis skaliert, sodass die Tabelle den Raum zwischen den Rändern füllt</translation>
    </message>
    <message>
        <source>Te&amp;xt size:</source>
        <translation>Te&amp;xtgröße:</translation>
    </message>
    <message>
        <source>The table&apos;s text, of its usual 8 and 10 points</source>
        <translation>Der Text der Tabelle, von seinen üblichen 8 und 10 Punkt</translation>
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
        <translation>Papier %1, das des Standarddruckers (%2).</translation>
    </message>
    <message>
        <source>The default printer %1 names no paper size.</source>
        <translation>Der Standarddrucker %1 nennt kein Papierformat.</translation>
    </message>
    <message>
        <source>%1 paper, this locale&apos;s usual size. %2</source>
        <translation>Papier %1, das übliche Format dieses Gebietsschemas. %2</translation>
    </message>
</context>
<context>
    <name>PathField</name>
    <message>
        <source>Path of the folder to list</source>
        <translation>Pfad des aufzulistenden Ordners</translation>
    </message>
    <message>
        <source>Click, or press Ctrl+L, to type or paste a path</source>
        <translation>Klicken oder Strg+L drücken, um einen Pfad einzugeben oder einzufügen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist.</source>
        <translation>„%1“ existiert nicht.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder.</source>
        <translation>„%1“ ist eine Datei, kein Ordner.</translation>
    </message>
</context>
<context>
    <name>PreviewKeys</name>
    <message>
        <source>Go to Page</source>
        <translation>Gehe zu Seite</translation>
    </message>
    <message>
        <source>&amp;Page (1 to %L1):</source>
        <translation>&amp;Seite (1 bis %L1):</translation>
    </message>
</context>
<context>
    <name>PreviewSurface</name>
    <message>
        <source>Print preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>Print preview, page %1 of %2</source>
        <translation>Druckvorschau, Seite %1 von %2</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>Seitenbreite</translation>
    </message>
    <message>
        <source>Fit Page</source>
        <translation>Ganze Seite</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Save as PDF…</source>
        <translation>Als PDF speichern…</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Als PDF speichern</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Page Setup…</source>
        <translation>Seite einrichten…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>Drucken…</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>&amp;Fit to Page Width</source>
        <translation>An Seiten&amp;breite anpassen</translation>
    </message>
    <message>
        <source>Print %L1 pages on %2?</source>
        <translation>%L1 Seiten auf %2 drucken?</translation>
    </message>
</context>
<context>
    <name>PrintServer</name>
    <message>
        <source>The print server %1 cannot be reached.</source>
        <translation>Der Druckserver %1 ist nicht erreichbar.</translation>
    </message>
    <message>
        <source>The print server %1 does not answer.</source>
        <translation>Der Druckserver %1 antwortet nicht.</translation>
    </message>
    <message>
        <source>There is no default printer (%1).</source>
        <translation>Es gibt keinen Standarddrucker (%1).</translation>
    </message>
    <message>
        <source>The printer %1 did not accept the job: %2</source>
        <translation>Der Drucker %1 hat den Auftrag nicht angenommen: %2</translation>
    </message>
    <message>
        <source>The print server %1 has no printer %2.</source>
        <translation>Der Druckserver %1 hat keinen Drucker %2.</translation>
    </message>
</context>
<context>
    <name>PrintTitle</name>
    <message>
        <source>%1  - On: %2</source>
        <translation>%1  - Stand: %2</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>One entry could not be read in full; the listing holds everything else.</source>
        <translation>Ein Eintrag konnte nicht vollständig gelesen werden; die Liste enthält alles andere.</translation>
    </message>
    <message>
        <source>%L1 entries could not be read in full; the listing holds everything else.</source>
        <translation>%L1 Einträge konnten nicht vollständig gelesen werden; die Liste enthält alles andere.</translation>
    </message>
    <message>
        <source>&quot;?&quot; stands for a size or a date that could not be read. A size followed by &quot;+&quot;, such as 1,235+, is the total of what could be read in a folder that holds more.</source>
        <translation>„?“ steht für eine Größe oder ein Datum, die nicht gelesen werden konnten. Eine Größe mit „+“ dahinter, etwa 1.235+, ist die Summe dessen, was in einem Ordner mit weiterem Inhalt gelesen werden konnte.</translation>
    </message>
    <message>
        <source>The entries are listed under Show Details.</source>
        <translation>Die Einträge stehen unter „Details einblenden“.</translation>
    </message>
</context>
<context>
    <name>frmIntro</name>
    <message>
        <source>Brambleworks: Utilities</source>
        <translation>Brambleworks: Hilfsprogramme</translation>
    </message>
    <message>
        <source>Telephone: +1 555 0100 · Fax: +1 555 0199</source>
        <translation>Telefon: +1 555 0100 · Fax: +1 555 0199</translation>
    </message>
    <message>
        <source>E-mail: support@brambleworks.example</source>
        <translation>E-Mail: support@brambleworks.example</translation>
    </message>
    <message>
        <source>I &amp;Agree</source>
        <translation>&amp;Einverstanden</translation>
    </message>
    <message>
        <source>Made by Brambleworks</source>
        <translation>Hergestellt von Brambleworks</translation>
    </message>
    <message>
        <source>Foliotrace is provided as it is, without any warranty. It only reads folders: it never changes, moves or deletes a file, and it writes only to the printer, the clipboard, the files it is asked to save and its own settings. Choose I Agree to accept these terms, or Exit to leave.</source>
        <translation>Foliotrace wird ohne jede Gewährleistung so bereitgestellt, wie es ist. Es liest nur Ordner: Es ändert, verschiebt oder löscht nie eine Datei und schreibt nur auf den Drucker, in die Zwischenablage, in die Dateien, die es speichern soll, und in seine eigenen Einstellungen. „Einverstanden“ nimmt diese Bedingungen an, „Beenden“ verlässt das Programm.</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Version:</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>H&amp;elp</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Select D&amp;rive or Directory:</source>
        <translation>Lauf&amp;werk oder Ordner wählen:</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>Durch&amp;suchen…</translation>
    </message>
    <message>
        <source>Choose the folder in the desktop&apos;s folder dialog</source>
        <translation>Den Ordner im Ordnerdialog des Desktops wählen</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Print &amp;File Names</source>
        <translation>Datei&amp;namen drucken</translation>
    </message>
    <message>
        <source>Print &amp;Size</source>
        <translation>&amp;Größe drucken</translation>
    </message>
    <message>
        <source>Print &amp;Date</source>
        <translation>&amp;Datum drucken</translation>
    </message>
    <message>
        <source>&amp;Grid Lines:</source>
        <translation>&amp;Rasterlinien:</translation>
    </message>
    <message>
        <source>Grid Lines</source>
        <translation>Rasterlinien</translation>
    </message>
    <message>
        <source>Sub-Directory &amp;Level:</source>
        <translation>Unt&amp;erordner-Ebenen:</translation>
    </message>
    <message>
        <source>Sub-Directory Level</source>
        <translation>Unterordnerebenen</translation>
    </message>
    <message>
        <source>C&amp;urrently Selected Path:</source>
        <translation>Ausgewählter &amp;Pfad:</translation>
    </message>
    <message>
        <source>Directory &amp;Indicator:</source>
        <translation>&amp;Ordnerzeichen:</translation>
    </message>
    <message>
        <source>Print &amp;Title:</source>
        <translation>Druck&amp;titel:</translation>
    </message>
    <message>
        <source>File I&amp;ndicator:</source>
        <translation>Datei&amp;zeichen:</translation>
    </message>
    <message>
        <source>Directory Column &amp;Width:</source>
        <translation>Breite Ordnerspa&amp;lte:</translation>
    </message>
    <message>
        <source>Si&amp;ze Column Width:</source>
        <translation>Breite Gr&amp;ößenspalte:</translation>
    </message>
    <message>
        <source>Date C&amp;olumn Width:</source>
        <translation>Breite Dat&amp;umsspalte:</translation>
    </message>
    <message>
        <source>&amp;Print Preview</source>
        <translation>Druck&amp;vorschau</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>Kop&amp;ieren</translation>
    </message>
    <message>
        <source>&amp;Hide Print Preview</source>
        <translation>Vorsch&amp;au ausblenden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Page:</source>
        <translation>Seite:</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Vorige Seite</translation>
    </message>
    <message>
        <source>Previous page (Alt+Page Up)</source>
        <translation>Vorige Seite (Alt+Bild auf)</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>Next page (Alt+Page Down)</source>
        <translation>Nächste Seite (Alt+Bild ab)</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>Spei&amp;chern unter…</translation>
    </message>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Ein unerwarteter Fehler ist aufgetreten.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Help &amp;Contents</source>
        <translation>Hilfe&amp;inhalt</translation>
    </message>
    <message>
        <source>Help &amp;About</source>
        <translation>Ü&amp;ber</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>Druc&amp;ken</translation>
    </message>
    <message>
        <source>&amp;More Options…</source>
        <translation>&amp;Mehr Optionen…</translation>
    </message>
    <message>
        <source>Which files and folders to list, what sizes count, and in which order</source>
        <translation>Welche Dateien und Ordner aufgelistet werden, was Größen zählen und in welcher Reihenfolge</translation>
    </message>
    <message>
        <source>Save the listing as a PDF, a spreadsheet, CSV, HTML, JSON or text file (Ctrl+S)</source>
        <translation>Die Auflistung als PDF, Tabelle, CSV-, HTML-, JSON- oder Textdatei speichern (Strg+S)</translation>
    </message>
    <message>
        <source>Page Setup…</source>
        <translation>Seite einrichten…</translation>
    </message>
    <message>
        <source>Paper, margins and the table&apos;s size on the page (Ctrl+Shift+P); Ctrl+P prints with a choice of printer, copies and pages</source>
        <translation>Papier, Ränder und die Größe der Tabelle auf der Seite (Strg+Umschalt+P); Strg+P druckt mit Wahl von Drucker, Exemplaren und Seiten</translation>
    </message>
    <message>
        <source>Ctrl+Shift+P</source>
        <translation>Ctrl+Shift+P</translation>
    </message>
    <message>
        <source>Changes onl&amp;y</source>
        <translation>Nur &amp;Änderungen</translation>
    </message>
    <message>
        <source>List only what changed since the earlier listing, with the folders leading to it</source>
        <translation>Nur auflisten, was sich seit der früheren Liste änderte, mit den Ordnern dorthin</translation>
    </message>
    <message>
        <source>Compare With…</source>
        <translation>Vergleichen mit…</translation>
    </message>
    <message>
        <source>Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)</source>
        <translation>Den Ordner mit einer früher als JSON gespeicherten Liste vergleichen (Strg+Umschalt+O)</translation>
    </message>
</context>
</TS>
