<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>BuildProgressStrip</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>%L1 entries listed, %L2 could not be read.</source>
        <translation>%L1 entradas listadas, %L2 no se pudieron leer.</translation>
    </message>
    <message>
        <source>%L1 entries listed.</source>
        <translation>%L1 entradas listadas.</translation>
    </message>
    <message>
        <source>Laying out pages</source>
        <translation>Componiendo las páginas</translation>
    </message>
    <message>
        <source>Reading %1</source>
        <translation>Leyendo %1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Lists a folder tree as a paginated print preview, prints it, or copies it to the clipboard.</source>
        <translation>Lista un árbol de carpetas como vista previa de impresión paginada, lo imprime o lo copia al portapapeles.</translation>
    </message>
    <message>
        <source>The folder to list; the current folder when none is given.</source>
        <translation>La carpeta que listar; la carpeta actual si no se indica ninguna.</translation>
    </message>
    <message>
        <source>--%1 and --%2 contradict each other</source>
        <translation>--%1 y --%2 se contradicen</translation>
    </message>
    <message>
        <source>--depth takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--depth requiere un número entero de 1 a %1, no «%2»</translation>
    </message>
    <message>
        <source>--grid takes none, rows, top-bottom or all, not &quot;%1&quot;</source>
        <translation>--grid requiere none, rows, top-bottom o all, no «%1»</translation>
    </message>
    <message>
        <source>--widths takes three widths in twips, as 4000,1000,1000, not &quot;%1&quot;</source>
        <translation>--widths requiere tres anchos en twips, como 4000,1000,1000, no «%1»</translation>
    </message>
    <message>
        <source>give --export or --print, not both</source>
        <translation>indique --export o --print, no ambos</translation>
    </message>
    <message>
        <source>--%1 needs --export or --print</source>
        <translation>--%1 requiere --export o --print</translation>
    </message>
    <message>
        <source>give the folder to list</source>
        <translation>indique la carpeta que listar</translation>
    </message>
    <message>
        <source>--format needs --export</source>
        <translation>--format requiere --export</translation>
    </message>
    <message>
        <source>cannot tell the format of &quot;%1&quot; by its name; give --format</source>
        <translation>no se puede saber el formato de «%1» por su nombre; indique --format</translation>
    </message>
    <message>
        <source>a PDF cannot go to standard output; give a file name</source>
        <translation>un PDF no puede ir a la salida estándar; indique un nombre de archivo</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist</source>
        <translation>«%1» no existe</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a folder</source>
        <translation>«%1» no es una carpeta</translation>
    </message>
    <message>
        <source>cannot open &quot;%1&quot;: %2</source>
        <translation>no se puede abrir «%1»: %2</translation>
    </message>
    <message>
        <source>Usage: foliotrace [options] [FOLDER]
       foliotrace --export FILE [options] FOLDER
       foliotrace --print [options] FOLDER</source>
        <translation>Uso: foliotrace [opciones] [CARPETA]
     foliotrace --export ARCHIVO [opciones] CARPETA
     foliotrace --print [opciones] CARPETA</translation>
    </message>
    <message>
        <source>give one folder at most</source>
        <translation>indique una carpeta como máximo</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Mostrar esta ayuda y salir.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Mostrar la versión y salir.</translation>
    </message>
    <message>
        <source>Write the listing to FILE (- for standard output) without a window.</source>
        <translation>Escribir el listado en ARCHIVO (- para la salida estándar) sin ventana.</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>ARCHIVO</translation>
    </message>
    <message>
        <source>FORMAT</source>
        <translation>FORMATO</translation>
    </message>
    <message>
        <source>Send the listing to the default printer without a window.</source>
        <translation>Enviar el listado a la impresora predeterminada sin ventana.</translation>
    </message>
    <message>
        <source>List N levels of sub-folders, 1 to %1.</source>
        <translation>Listar N niveles de subcarpetas, de 1 a %1.</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>List the files too.</source>
        <translation>Listar también los archivos.</translation>
    </message>
    <message>
        <source>List the folders only.</source>
        <translation>Listar solo las carpetas.</translation>
    </message>
    <message>
        <source>Show the size column.</source>
        <translation>Mostrar la columna de tamaño.</translation>
    </message>
    <message>
        <source>Hide the size column.</source>
        <translation>Ocultar la columna de tamaño.</translation>
    </message>
    <message>
        <source>Show the date column.</source>
        <translation>Mostrar la columna de fecha.</translation>
    </message>
    <message>
        <source>Hide the date column.</source>
        <translation>Ocultar la columna de fecha.</translation>
    </message>
    <message>
        <source>Grid lines: none, rows, top-bottom or all.</source>
        <translation>Líneas de cuadrícula: none, rows, top-bottom o all.</translation>
    </message>
    <message>
        <source>STYLE</source>
        <translation>ESTILO</translation>
    </message>
    <message>
        <source>The mark in front of folder names.</source>
        <translation>La marca delante de los nombres de carpeta.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXTO</translation>
    </message>
    <message>
        <source>The mark in front of file names.</source>
        <translation>La marca delante de los nombres de archivo.</translation>
    </message>
    <message>
        <source>The title above the table.</source>
        <translation>El título sobre la tabla.</translation>
    </message>
    <message>
        <source>The three column widths in twips.</source>
        <translation>Los tres anchos de columna en twips.</translation>
    </message>
    <message>
        <source>NAME,SIZE,DATE</source>
        <translation>NOMBRE,TAMAÑO,FECHA</translation>
    </message>
    <message>
        <source>FOLDER</source>
        <translation>CARPETA</translation>
    </message>
    <message>
        <source>[FOLDER]</source>
        <translation>[CARPETA]</translation>
    </message>
    <message>
        <source>%L1 entries, reading %2</source>
        <translation>%L1 entradas, leyendo %2</translation>
    </message>
    <message>
        <source>one entry could not be read in full; it is marked &quot;?&quot; or &quot;+&quot;</source>
        <translation>una entrada no se pudo leer completa; está marcada con «?» o «+»</translation>
    </message>
    <message>
        <source>%L1 entries could not be read in full; they are marked &quot;?&quot; or &quot;+&quot;</source>
        <translation>%L1 entradas no se pudieron leer completas; están marcadas con «?» o «+»</translation>
    </message>
    <message>
        <source>foliotrace: no display available (set DISPLAY or WAYLAND_DISPLAY, or QT_QPA_PLATFORM=offscreen)
</source>
        <translation>foliotrace: no hay pantalla disponible (defina DISPLAY o WAYLAND_DISPLAY, o QT_QPA_PLATFORM=offscreen)
</translation>
    </message>
    <message>
        <source>List only the files whose names match one of PATTERNS, glob patterns separated by &quot;;&quot; (&quot;*.jpg; *.png&quot;); &quot;&quot; lists every file.</source>
        <translation>Listar solo los archivos cuyo nombre coincida con uno de los PATRONES, patrones comodín separados por «;» («*.jpg; *.png»); &quot;&quot; lista todos los archivos.</translation>
    </message>
    <message>
        <source>PATTERNS</source>
        <translation>PATRONES</translation>
    </message>
    <message>
        <source>Leave out the files and folders whose names match one of PATTERNS; a folder left out is not entered.</source>
        <translation>Omitir los archivos y carpetas cuyo nombre coincida con uno de los PATRONES; una carpeta omitida no se recorre.</translation>
    </message>
    <message>
        <source>Patterns tell capitals from small letters.</source>
        <translation>Los patrones distinguen mayúsculas y minúsculas.</translation>
    </message>
    <message>
        <source>Patterns take capitals and small letters alike.</source>
        <translation>Los patrones no distinguen mayúsculas de minúsculas.</translation>
    </message>
    <message>
        <source>List the names that start with &quot;.&quot;.</source>
        <translation>Listar los nombres que empiezan por «.».</translation>
    </message>
    <message>
        <source>Leave out the names that start with &quot;.&quot;.</source>
        <translation>Omitir los nombres que empiezan por «.».</translation>
    </message>
    <message>
        <source>Leave out folders with no file listed at any depth below.</source>
        <translation>Omitir las carpetas sin ningún archivo listado debajo, a cualquier profundidad.</translation>
    </message>
    <message>
        <source>List folders with nothing listed below too.</source>
        <translation>Listar también las carpetas sin nada listado debajo.</translation>
    </message>
    <message>
        <source>List the mount points of other file systems without entering them.</source>
        <translation>Listar los puntos de montaje de otros sistemas de archivos sin recorrerlos.</translation>
    </message>
    <message>
        <source>Enter the file systems mounted below.</source>
        <translation>Recorrer los sistemas de archivos montados debajo.</translation>
    </message>
    <message>
        <source>Sizes are the space on disk, as du counts it.</source>
        <translation>Los tamaños son el espacio en disco, como lo cuenta du.</translation>
    </message>
    <message>
        <source>Sizes are the files&apos; lengths.</source>
        <translation>Los tamaños son las longitudes de los archivos.</translation>
    </message>
    <message>
        <source>A folder&apos;s size counts a file of several hard links once.</source>
        <translation>El tamaño de una carpeta cuenta una sola vez un archivo con varios enlaces duros.</translation>
    </message>
    <message>
        <source>A folder&apos;s size counts every name of a file.</source>
        <translation>El tamaño de una carpeta cuenta cada nombre de un archivo.</translation>
    </message>
    <message>
        <source>The order within each folder: name, size (largest first), date (newest first) or extension.</source>
        <translation>El orden dentro de cada carpeta: name, size (el mayor primero), date (el más reciente primero) o extension.</translation>
    </message>
    <message>
        <source>ORDER</source>
        <translation>ORDEN</translation>
    </message>
    <message>
        <source>--%1: %2</source>
        <translation>--%1: %2</translation>
    </message>
    <message>
        <source>--sort takes name, size, date or extension, not &quot;%1&quot;</source>
        <translation>--sort admite name, size, date o extension, no «%1»</translation>
    </message>
    <message>
        <source>The format of FILE: %1 (else FILE&apos;s extension).</source>
        <translation>El formato de ARCHIVO: %1 (si no, según la extensión de ARCHIVO).</translation>
    </message>
    <message>
        <source>The paper: A4, Letter, Legal, A3, … (else the default printer&apos;s).</source>
        <translation>El papel: A4, Letter, Legal, A3, … (si no, el de la impresora predeterminada).</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NOMBRE</translation>
    </message>
    <message>
        <source>Lay the pages out across the paper.</source>
        <translation>Disponer las páginas en horizontal.</translation>
    </message>
    <message>
        <source>Lay the pages out upright.</source>
        <translation>Disponer las páginas en vertical.</translation>
    </message>
    <message>
        <source>Fit the columns to the page width.</source>
        <translation>Ajustar las columnas al ancho de la página.</translation>
    </message>
    <message>
        <source>Keep the column widths as they are.</source>
        <translation>Mantener los anchos de columna tal como están.</translation>
    </message>
    <message>
        <source>The table&apos;s text, 80 to 150 percent of its usual 8 and 10 pt.</source>
        <translation>El texto de la tabla, del 80 al 150 por ciento de sus 8 y 10 pt habituales.</translation>
    </message>
    <message>
        <source>PERCENT</source>
        <translation>PORCENTAJE</translation>
    </message>
    <message>
        <source>Print on NAME, not on the default printer.</source>
        <translation>Imprimir en NOMBRE, no en la impresora predeterminada.</translation>
    </message>
    <message>
        <source>Print N copies.</source>
        <translation>Imprimir N copias.</translation>
    </message>
    <message>
        <source>Print only these pages, as lp -P takes them (1-3,7,9-).</source>
        <translation>Imprimir solo estas páginas, como las toma lp -P (1-3,7,9-).</translation>
    </message>
    <message>
        <source>RANGE</source>
        <translation>INTERVALO</translation>
    </message>
    <message>
        <source>--paper takes a paper&apos;s name, as A4, Letter or Legal, not &quot;%1&quot;</source>
        <translation>--paper admite el nombre de un papel, como A4, Letter o Legal, no «%1»</translation>
    </message>
    <message>
        <source>--text-size takes a whole number from %1 to %2, not &quot;%3&quot;</source>
        <translation>--text-size admite un número entero de %1 a %2, no «%3»</translation>
    </message>
    <message>
        <source>--printer takes a printer&apos;s name</source>
        <translation>--printer admite el nombre de una impresora</translation>
    </message>
    <message>
        <source>--copies takes a whole number from 1 to %1, not &quot;%2&quot;</source>
        <translation>--copies admite un número entero de 1 a %1, no «%2»</translation>
    </message>
    <message>
        <source>--pages takes pages as lp -P does, as 1-3,7 or 9-, not &quot;%1&quot;</source>
        <translation>--pages admite páginas como lp -P, por ejemplo 1-3,7 o 9-, no «%1»</translation>
    </message>
    <message>
        <source>--%1 needs --print</source>
        <translation>--%1 necesita --print</translation>
    </message>
    <message>
        <source>--format takes %1, not &quot;%2&quot;</source>
        <translation>--format admite %1, no «%2»</translation>
    </message>
    <message>
        <source>--%1 shapes pages, which only --print and a PDF have</source>
        <translation>--%1 da forma a páginas, que solo tienen --print y un PDF</translation>
    </message>
    <message>
        <source>--columns takes files, folders, time, owner, permissions, created and path, not &quot;%1&quot;</source>
        <translation>--columns admite files, folders, time, owner, permissions, created y path, no «%1»</translation>
    </message>
    <message>
        <source>More columns, comma-separated: files, folders, time, owner, permissions, created, path; &quot;&quot; for none.</source>
        <translation>Más columnas, separadas por comas: files, folders, time, owner, permissions, created, path; &quot;&quot; para ninguna.</translation>
    </message>
    <message>
        <source>WORDS</source>
        <translation>PALABRAS</translation>
    </message>
    <message>
        <source>A line of totals under the table (folders, files, KB).</source>
        <translation>Una línea de totales bajo la tabla (carpetas, archivos, KB).</translation>
    </message>
    <message>
        <source>--changes-only needs --compare</source>
        <translation>--changes-only necesita --compare</translation>
    </message>
    <message>
        <source>Compare the folder with LISTING, a JSON listing saved earlier: a Change column says what was added, removed or changed since.</source>
        <translation>Comparar la carpeta con LISTADO, un listado JSON guardado antes: una columna «Cambio» dice qué se añadió, se quitó o cambió desde entonces.</translation>
    </message>
    <message>
        <source>LISTING</source>
        <translation>LISTADO</translation>
    </message>
    <message>
        <source>With --compare, list only what changed and the folders leading to it.</source>
        <translation>Con --compare, listar solo lo que cambió y las carpetas que llevan a ello.</translation>
    </message>
    <message>
        <source>No line of totals.</source>
        <translation>Sin línea de totales.</translation>
    </message>
</context>
<context>
    <name>CompareChoice</name>
    <message>
        <source>Choose &amp;Another Listing…</source>
        <translation>Elegir &amp;otro listado…</translation>
    </message>
    <message>
        <source>Compare &amp;No More</source>
        <translation>&amp;No comparar más</translation>
    </message>
    <message>
        <source>Compare With an Earlier Listing</source>
        <translation>Comparar con un listado anterior</translation>
    </message>
    <message>
        <source>Foliotrace listings (*.json);;All files (*)</source>
        <translation>Listados de Foliotrace (*.json);;Todos los archivos (*)</translation>
    </message>
    <message>
        <source>Compare With…</source>
        <translation>Comparar con…</translation>
    </message>
    <message>
        <source>Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)</source>
        <translation>Comparar la carpeta con un listado guardado antes como JSON (Ctrl+Mayús+O)</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 del %2</translation>
    </message>
    <message>
        <source>Compared with %1 (Ctrl+Shift+O: another, or none)</source>
        <translation>Comparado con %1 (Ctrl+Mayús+O: otro, o ninguno)</translation>
    </message>
</context>
<context>
    <name>DocumentOutput</name>
    <message>
        <source>There is no document to save.</source>
        <translation>No hay ningún documento que guardar.</translation>
    </message>
    <message>
        <source>There is no document to print.</source>
        <translation>No hay ningún documento que imprimir.</translation>
    </message>
    <message>
        <source>Waiting for the print server %1…</source>
        <translation>Esperando al servidor de impresión %1…</translation>
    </message>
    <message>
        <source>Cannot write the copy for the printer in %1: %2.</source>
        <translation>No se puede escribir la copia para la impresora en %1: %2.</translation>
    </message>
    <message>
        <source>Preparing page %L1 of %L2 for %3…</source>
        <translation>Preparando la página %L1 de %L2 para %3…</translation>
    </message>
    <message>
        <source>Sending the document to %1…</source>
        <translation>Enviando el documento a %1…</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no pages; give them as 1-3,7 or 9-.</source>
        <translation>«%1» no indica páginas; dalas como 1-3,7 o 9-.</translation>
    </message>
    <message>
        <source>The document has one page, none of %1.</source>
        <translation>El documento tiene una página, ninguna de %1.</translation>
    </message>
    <message>
        <source>The document has %L2 pages, none of %1.</source>
        <translation>El documento tiene %L2 páginas, ninguna de %1.</translation>
    </message>
</context>
<context>
    <name>EarlierListing</name>
    <message>
        <source>it holds no object of named fields</source>
        <translation>no contiene ningún objeto de campos con nombre</translation>
    </message>
    <message>
        <source>its format is &quot;%1&quot;</source>
        <translation>su formato es «%1»</translation>
    </message>
    <message>
        <source>it lists only what changed, not the whole folder</source>
        <translation>solo lista lo que cambió, no toda la carpeta</translation>
    </message>
    <message>
        <source>&quot;folder_bytes&quot; is not base64</source>
        <translation>«folder_bytes» no está en base64</translation>
    </message>
    <message>
        <source>&quot;children&quot; is not a list of entries</source>
        <translation>«children» no es una lista de entradas</translation>
    </message>
    <message>
        <source>&quot;version&quot; is not a format version</source>
        <translation>«version» no es una versión de formato</translation>
    </message>
    <message>
        <source>an entry that is not an object</source>
        <translation>una entrada que no es un objeto</translation>
    </message>
    <message>
        <source>an entry&apos;s &quot;children&quot; is not a list</source>
        <translation>el «children» de una entrada no es una lista</translation>
    </message>
    <message>
        <source>it outgrew %L1 MB after %L2 entries</source>
        <translation>superó %L1 MB tras %L2 entradas</translation>
    </message>
    <message>
        <source>an entry&apos;s name is not a text</source>
        <translation>el nombre de una entrada no es un texto</translation>
    </message>
    <message>
        <source>an entry&apos;s &quot;name_bytes&quot; is not base64</source>
        <translation>el «name_bytes» de una entrada no está en base64</translation>
    </message>
    <message>
        <source>an entry&apos;s kind is not a text</source>
        <translation>el tipo de una entrada no es un texto</translation>
    </message>
    <message>
        <source>the size %1 is not a number of bytes</source>
        <translation>el tamaño %1 no es un número de bytes</translation>
    </message>
    <message>
        <source>the modification time %1 is not a date and time</source>
        <translation>la hora de modificación %1 no es una fecha y hora</translation>
    </message>
    <message>
        <source>an entry without a name</source>
        <translation>una entrada sin nombre</translation>
    </message>
    <message>
        <source>an entry named &quot;%1&quot;, which no file can be</source>
        <translation>una entrada llamada «%1», que ningún archivo puede ser</translation>
    </message>
    <message>
        <source>an entry without a kind</source>
        <translation>una entrada sin tipo</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a text</source>
        <translation>«%1» no es un texto</translation>
    </message>
    <message>
        <source>it names no folder (&quot;folder&quot;)</source>
        <translation>no nombra ninguna carpeta («folder»)</translation>
    </message>
    <message>
        <source>it has no list of entries (&quot;children&quot;)</source>
        <translation>no tiene lista de entradas («children»)</translation>
    </message>
    <message>
        <source>the entry &quot;%1&quot; is listed twice</source>
        <translation>la entrada «%1» aparece dos veces</translation>
    </message>
    <message>
        <source>it ends in the middle of a text</source>
        <translation>termina en medio de un texto</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>el archivo está vacío</translation>
    </message>
    <message>
        <source>it ends inside its entries, after %L1 of them</source>
        <translation>termina entre sus entradas, tras %L1 de ellas</translation>
    </message>
    <message>
        <source>it ends before its listing does</source>
        <translation>termina antes de que acabe su listado</translation>
    </message>
</context>
<context>
    <name>EarlierListingError</name>
    <message>
        <source> at line %L1, byte %L2</source>
        <translation> en la línea %L1, byte %L2</translation>
    </message>
    <message>
        <source>Cannot read the listing &quot;%1&quot;: %2.</source>
        <translation>No se puede leer el listado «%1»: %2.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Foliotrace listing: it is not JSON text (%2%3).</source>
        <translation>«%1» no es un listado de Foliotrace: no es texto JSON (%2%3).</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Foliotrace listing: %2%3.</source>
        <translation>«%1» no es un listado de Foliotrace: %2%3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is cut short: %2%3. It may not have been saved or copied in full.</source>
        <translation>«%1» está cortado: %2%3. Quizá no se guardó o copió entero.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a damaged listing: %2%3.</source>
        <translation>«%1» es un listado dañado: %2%3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was saved by a newer Foliotrace (listing format version %2); this version reads version %3.</source>
        <translation>«%1» lo guardó un Foliotrace más reciente (formato de listado versión %2); esta versión lee la versión %3.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; holds more entries than this computer can safely compare: %2.</source>
        <translation>«%1» contiene más entradas de las que este equipo puede comparar con seguridad: %2.</translation>
    </message>
</context>
<context>
    <name>ExportFormat</name>
    <message>
        <source>PDF document (*.pdf)</source>
        <translation>Documento PDF (*.pdf)</translation>
    </message>
    <message>
        <source>CSV table (*.csv)</source>
        <translation>Tabla CSV (*.csv)</translation>
    </message>
    <message>
        <source>Web page (*.html)</source>
        <translation>Página web (*.html)</translation>
    </message>
    <message>
        <source>JSON data (*.json)</source>
        <translation>Datos JSON (*.json)</translation>
    </message>
    <message>
        <source>Text (*.txt)</source>
        <translation>Texto (*.txt)</translation>
    </message>
    <message>
        <source>Tab-separated text (*.tsv)</source>
        <translation>Texto separado por tabulaciones (*.tsv)</translation>
    </message>
    <message>
        <source>Spreadsheet (*.xlsx)</source>
        <translation>Hoja de cálculo (*.xlsx)</translation>
    </message>
    <message>
        <source>%1 or %2</source>
        <translation>%1 o %2</translation>
    </message>
</context>
<context>
    <name>ExportText</name>
    <message>
        <source>The spreadsheet could not be made: %1.</source>
        <translation>No se pudo crear la hoja de cálculo: %1.</translation>
    </message>
    <message>
        <source>Size (bytes)</source>
        <translation>Tamaño (bytes)</translation>
    </message>
    <message>
        <source>Cannot make the spreadsheet in %1: %2.</source>
        <translation>No se puede crear la hoja de cálculo en %1: %2.</translation>
    </message>
</context>
<context>
    <name>ExportText::Workbook</name>
    <message>
        <source>Not read in full</source>
        <translation>No leído por completo</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ruta</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Motivo</translation>
    </message>
    <message>
        <source>… and %L1 more</source>
        <translation>… y %L1 más</translation>
    </message>
    <message>
        <source>Listing</source>
        <translation>Listado</translation>
    </message>
    <message>
        <source>Listing (%1)</source>
        <translation>Listado (%1)</translation>
    </message>
</context>
<context>
    <name>FileSystemError</name>
    <message>
        <source>Cannot open folder &quot;%1&quot;: %2</source>
        <translation>No se puede abrir la carpeta «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot read folder &quot;%1&quot;: %2</source>
        <translation>No se puede leer la carpeta «%1»: %2</translation>
    </message>
    <message>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>No se puede leer «%1»: %2</translation>
    </message>
</context>
<context>
    <name>FindBar</name>
    <message>
        <source>Find:</source>
        <translation>Buscar:</translation>
    </message>
    <message>
        <source>Find a name</source>
        <translation>Buscar un nombre</translation>
    </message>
    <message>
        <source>Close the find bar (Escape)</source>
        <translation>Cerrar la barra de búsqueda (Esc)</translation>
    </message>
    <message>
        <source>Close the find bar</source>
        <translation>Cerrar la barra de búsqueda</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>No encontrado</translation>
    </message>
</context>
<context>
    <name>FolderChoice</name>
    <message>
        <source>Select a Folder</source>
        <translation>Seleccionar una carpeta</translation>
    </message>
</context>
<context>
    <name>GridStyle</name>
    <message>
        <source>None</source>
        <translation>Ninguna</translation>
    </message>
    <message>
        <source>Rows</source>
        <translation>Filas</translation>
    </message>
    <message>
        <source>Top &amp; Bottom</source>
        <translation>Arriba y abajo</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todas</translation>
    </message>
</context>
<context>
    <name>HelpViewer</name>
    <message>
        <source>Foliotrace Help</source>
        <translation>Ayuda de Foliotrace</translation>
    </message>
    <message>
        <source>This help is in English.</source>
        <translation>Esta ayuda está en inglés.</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;No help file has been set up for this program yet.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;La ayuda no está disponible&lt;/h2&gt;&lt;p&gt;Todavía no se ha instalado ningún archivo de ayuda para este programa.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; could not be opened: %2.&lt;/p&gt;&lt;p&gt;It belongs in the folder that holds the program. Installing Foliotrace again puts it back.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;La ayuda no está disponible&lt;/h2&gt;&lt;p&gt;No se pudo abrir el archivo de ayuda &lt;b&gt;%1&lt;/b&gt;: %2.&lt;/p&gt;&lt;p&gt;Debe estar en la carpeta del programa. Instalar Foliotrace de nuevo lo repone.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Topic not found&lt;/h2&gt;&lt;p&gt;The help file &lt;b&gt;%1&lt;/b&gt; has no topic number %2.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;Tema no encontrado&lt;/h2&gt;&lt;p&gt;El archivo de ayuda &lt;b&gt;%1&lt;/b&gt; no tiene el tema número %2.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>JsonTokens</name>
    <message>
        <source>the end of the file</source>
        <translation>el final del archivo</translation>
    </message>
    <message>
        <source>the end of the file inside a text</source>
        <translation>el final del archivo dentro de un texto</translation>
    </message>
    <message>
        <source>more than %L1 levels of lists and objects</source>
        <translation>más de %L1 niveles de listas y objetos</translation>
    </message>
    <message>
        <source>a text longer than %L1 bytes</source>
        <translation>un texto de más de %L1 bytes</translation>
    </message>
    <message>
        <source>a control character inside a text</source>
        <translation>un carácter de control dentro de un texto</translation>
    </message>
    <message>
        <source>an unknown escape &quot;\%1&quot;</source>
        <translation>un escape desconocido «\%1»</translation>
    </message>
    <message>
        <source>half of a surrogate pair</source>
        <translation>la mitad de un par sustituto</translation>
    </message>
    <message>
        <source>a &quot;\u&quot; escape without four hex digits</source>
        <translation>un escape «\u» sin cuatro dígitos hexadecimales</translation>
    </message>
    <message>
        <source>a text that is not UTF-8</source>
        <translation>un texto que no es UTF-8</translation>
    </message>
    <message>
        <source>the end of the file inside a number</source>
        <translation>el final del archivo dentro de un número</translation>
    </message>
    <message>
        <source>a number longer than %L1 characters</source>
        <translation>un número de más de %L1 caracteres</translation>
    </message>
    <message>
        <source>the end of the file inside a value</source>
        <translation>el final del archivo dentro de un valor</translation>
    </message>
    <message>
        <source>an unexpected &quot;%1&quot;</source>
        <translation>un «%1» inesperado</translation>
    </message>
    <message>
        <source>an unexpected byte 0x%1</source>
        <translation>un byte 0x%1 inesperado</translation>
    </message>
</context>
<context>
    <name>Listing</name>
    <message>
        <source>The same folder as one that holds it</source>
        <translation>La misma carpeta que otra que la contiene</translation>
    </message>
    <message>
        <source>%1 file system, not entered</source>
        <translation>Sistema de archivos %1, no recorrido</translation>
    </message>
    <message>
        <source>Sub-Directories</source>
        <translation>Subcarpetas</translation>
    </message>
    <message>
        <source>Size (KB)</source>
        <translation>Tamaño (KB)</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>The listing grew past %L1 MB after %L2 entries, more than this computer can safely hold, and was stopped. Choose fewer sub-directory levels, a smaller folder or shorter marks.</source>
        <translation>El listado superó %L1 MB tras %L2 entradas, más de lo que este equipo puede guardar con seguridad, y se detuvo. Elija menos niveles de subcarpetas, una carpeta más pequeña o marcas más cortas.</translation>
    </message>
    <message>
        <source>… and %L1 more</source>
        <translation>… y %L1 más</translation>
    </message>
    <message>
        <source>not entered: another file system</source>
        <translation>no recorrido: otro sistema de archivos</translation>
    </message>
    <message>
        <source>1 folder</source>
        <translation>1 carpeta</translation>
    </message>
    <message>
        <source>%1 folders</source>
        <translation>%1 carpetas</translation>
    </message>
    <message>
        <source>1 file</source>
        <translation>1 archivo</translation>
    </message>
    <message>
        <source>%1 files</source>
        <translation>%1 archivos</translation>
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
        <translation>Archivos</translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Carpetas</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Hora</translation>
    </message>
    <message>
        <source>Owner</source>
        <translation>Propietario</translation>
    </message>
    <message>
        <source>Permissions</source>
        <translation>Permisos</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Creado</translation>
    </message>
    <message>
        <source>added</source>
        <translation>añadido</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>quitado</translation>
    </message>
    <message>
        <source>changed</source>
        <translation>cambiado</translation>
    </message>
    <message>
        <source>Compared with %1 of %2</source>
        <translation>Comparado con %1 del %2</translation>
    </message>
    <message>
        <source>Compared with %1</source>
        <translation>Comparado con %1</translation>
    </message>
    <message>
        <source>: %L1 added, %L2 removed, %L3 changed</source>
        <translation>: %L1 añadidos, %L2 quitados, %L3 cambiados</translation>
    </message>
    <message>
        <source>, total %1</source>
        <translation>, total %1</translation>
    </message>
    <message>
        <source>the earlier listing went %L1 levels deep</source>
        <translation>el listado anterior bajaba %L1 niveles</translation>
    </message>
    <message>
        <source>it listed no files</source>
        <translation>no listaba archivos</translation>
    </message>
    <message>
        <source>its choices left entries out</source>
        <translation>sus opciones dejaban entradas fuera</translation>
    </message>
    <message>
        <source>it could not read some folders</source>
        <translation>no pudo leer algunas carpetas</translation>
    </message>
    <message>
        <source>it had no sizes</source>
        <translation>no tenía tamaños</translation>
    </message>
    <message>
        <source>it had no dates</source>
        <translation>no tenía fechas</translation>
    </message>
    <message>
        <source>folder sizes, as its choices differ</source>
        <translation>los tamaños de carpeta, pues sus opciones difieren</translation>
    </message>
    <message>
        <source>it counted sizes another way</source>
        <translation>contaba los tamaños de otra forma</translation>
    </message>
    <message>
        <source>; not compared: %1</source>
        <translation>; sin comparar: %1</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Cambio</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Ruta</translation>
    </message>
</context>
<context>
    <name>ListingChoiceText</name>
    <message>
        <source>only %1</source>
        <translation>solo %1</translation>
    </message>
    <message>
        <source>skipping %1</source>
        <translation>omitiendo %1</translation>
    </message>
    <message>
        <source>matching case</source>
        <translation>distinguiendo mayúsculas</translation>
    </message>
    <message>
        <source>hidden entries left out</source>
        <translation>entradas ocultas omitidas</translation>
    </message>
    <message>
        <source>folders with nothing listed left out</source>
        <translation>carpetas sin nada listado omitidas</translation>
    </message>
    <message>
        <source>other file systems not entered</source>
        <translation>otros sistemas de archivos no recorridos</translation>
    </message>
    <message>
        <source>sizes on disk</source>
        <translation>tamaños en disco</translation>
    </message>
    <message>
        <source>hard links counted once</source>
        <translation>enlaces duros contados una vez</translation>
    </message>
</context>
<context>
    <name>ListingComposer</name>
    <message>
        <source>Not read in full</source>
        <translation>No leído completo</translation>
    </message>
    <message>
        <source>Page %d</source>
        <translation>Página %d</translation>
    </message>
    <message>
        <source>The columns are wider than the paper: %1 twips, where there is room for %L2 between the margins.</source>
        <translation>Las columnas son más anchas que el papel: %1 twips, y entre los márgenes caben %L2.</translation>
    </message>
    <message>
        <source>Cut at the paper&apos;s edge: %1.</source>
        <translation>Cortadas en el borde del papel: %1.</translation>
    </message>
    <message>
        <source>Beyond it, and not shown: %1.</source>
        <translation>Más allá, y sin mostrar: %1.</translation>
    </message>
    <message>
        <source>Narrower widths bring them onto the page, as does fitting the columns to the page width.</source>
        <translation>Anchos más estrechos las llevan a la página, igual que ajustar las columnas al ancho de la página.</translation>
    </message>
</context>
<context>
    <name>ListingExport</name>
    <message>
        <source>the PDF could not be completed</source>
        <translation>no se pudo completar el PDF</translation>
    </message>
    <message>
        <source>the listing could not be written</source>
        <translation>no se pudo escribir el listado</translation>
    </message>
    <message>
        <source>Not read in full</source>
        <translation>No leído por completo</translation>
    </message>
</context>
<context>
    <name>ListingOptionsDialog</name>
    <message>
        <source>Listing Options</source>
        <translation>Opciones del listado</translation>
    </message>
    <message>
        <source>Which entries</source>
        <translation>Qué entradas</translation>
    </message>
    <message>
        <source>&amp;Include files:</source>
        <translation>&amp;Incluir archivos:</translation>
    </message>
    <message>
        <source>*.jpg; *.png (empty: every file)</source>
        <translation>*.jpg; *.png (vacío: todos los archivos)</translation>
    </message>
    <message>
        <source>Only files whose names match one of these patterns are listed; folders are walked all the same</source>
        <translation>Solo se listan los archivos cuyo nombre coincide con uno de estos patrones; las carpetas se recorren igualmente</translation>
    </message>
    <message>
        <source>S&amp;kip:</source>
        <translation>&amp;Omitir:</translation>
    </message>
    <message>
        <source>node_modules; *.tmp; .git</source>
        <translation>node_modules; *.tmp; .git</translation>
    </message>
    <message>
        <source>Files and folders whose names match one of these patterns are left out; a folder left out is not entered</source>
        <translation>Se omiten los archivos y carpetas cuyo nombre coincide con uno de estos patrones; una carpeta omitida no se recorre</translation>
    </message>
    <message>
        <source>&amp;Match case</source>
        <translation>&amp;Distinguir mayúsculas</translation>
    </message>
    <message>
        <source>List hidd&amp;en files and folders</source>
        <translation>Listar archivos y carpetas oc&amp;ultos</translation>
    </message>
    <message>
        <source>Names that start with &quot;.&quot;</source>
        <translation>Nombres que empiezan por «.»</translation>
    </message>
    <message>
        <source>Leave out folders with &amp;nothing listed</source>
        <translation>Omitir carpetas sin &amp;nada listado</translation>
    </message>
    <message>
        <source>Stay on this file s&amp;ystem</source>
        <translation>Permanecer en este &amp;sistema de archivos</translation>
    </message>
    <message>
        <source>A folder where another file system is mounted is listed, not entered</source>
        <translation>Una carpeta donde hay montado otro sistema de archivos se lista, pero no se recorre</translation>
    </message>
    <message>
        <source>Sizes</source>
        <translation>Tamaños</translation>
    </message>
    <message>
        <source>File len&amp;gth</source>
        <translation>&amp;Longitud del archivo</translation>
    </message>
    <message>
        <source>Space on di&amp;sk</source>
        <translation>&amp;Espacio en disco</translation>
    </message>
    <message>
        <source>The blocks a file takes, as du counts them: a sparse file takes little</source>
        <translation>Los bloques que ocupa un archivo, como los cuenta du: un archivo disperso ocupa poco</translation>
    </message>
    <message>
        <source>Count a file with several hard &amp;links once</source>
        <translation>Contar una sola &amp;vez un archivo con varios enlaces duros</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Orden</translation>
    </message>
    <message>
        <source>Or&amp;der:</source>
        <translation>O&amp;rden:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Size, largest first</source>
        <translation>Tamaño, el mayor primero</translation>
    </message>
    <message>
        <source>Date, newest first</source>
        <translation>Fecha, la más reciente primero</translation>
    </message>
    <message>
        <source>Extension, then name</source>
        <translation>Extensión, luego nombre</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>Restablecer &amp;predeterminados</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Include files: %1</source>
        <translation>Incluir archivos: %1</translation>
    </message>
    <message>
        <source>Skip: %1</source>
        <translation>Omitir: %1</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Columnas</translation>
    </message>
    <message>
        <source>Width (twips)</source>
        <translation>Ancho (twips)</translation>
    </message>
    <message>
        <source>&amp;Files in each folder&apos;s tree</source>
        <translation>&amp;Archivos en el árbol de cada carpeta</translation>
    </message>
    <message>
        <source>Width of the files column, in twips</source>
        <translation>Ancho de la columna de archivos, en twips</translation>
    </message>
    <message>
        <source>F&amp;olders in each folder&apos;s tree</source>
        <translation>&amp;Carpetas en el árbol de cada carpeta</translation>
    </message>
    <message>
        <source>Width of the folders column, in twips</source>
        <translation>Ancho de la columna de carpetas, en twips</translation>
    </message>
    <message>
        <source>&amp;Time of day last modified</source>
        <translation>Hora de la última modi&amp;ficación</translation>
    </message>
    <message>
        <source>Width of the time column, in twips</source>
        <translation>Ancho de la columna de hora, en twips</translation>
    </message>
    <message>
        <source>O&amp;wner</source>
        <translation>Propie&amp;tario</translation>
    </message>
    <message>
        <source>Width of the owner column, in twips</source>
        <translation>Ancho de la columna de propietario, en twips</translation>
    </message>
    <message>
        <source>&amp;Permissions</source>
        <translation>Per&amp;misos</translation>
    </message>
    <message>
        <source>Width of the permissions column, in twips</source>
        <translation>Ancho de la columna de permisos, en twips</translation>
    </message>
    <message>
        <source>&amp;Created (where the file system keeps it)</source>
        <translation>Creado (donde el sistema de arc&amp;hivos lo guarda)</translation>
    </message>
    <message>
        <source>Width of the created column, in twips</source>
        <translation>Ancho de la columna de creación, en twips</translation>
    </message>
    <message>
        <source>P&amp;ath from the selected folder</source>
        <translation>Ruta desde la carpeta ele&amp;gida</translation>
    </message>
    <message>
        <source>Width of the path column, in twips</source>
        <translation>Ancho de la columna de ruta, en twips</translation>
    </message>
    <message>
        <source>A line of totals &amp;under the table</source>
        <translation>Una línea de totales ba&amp;jo la tabla</translation>
    </message>
    <message>
        <source>Folders, files and KB of the whole tree, each where its column is on</source>
        <translation>Carpetas, archivos y KB de todo el árbol, cada uno si su columna está activa</translation>
    </message>
    <message>
        <source>The width of the %1 column is no number of twips: &quot;%2&quot;</source>
        <translation>El ancho de la columna %1 no es un número de twips: «%2»</translation>
    </message>
</context>
<context>
    <name>NamePattern</name>
    <message>
        <source>&quot;%1&quot; ends in a &quot;\&quot; with nothing after it</source>
        <translation>«%1» termina en una «\» sin nada detrás</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a range that runs backwards: &quot;%2-%3&quot;</source>
        <translation>«%1» tiene un intervalo al revés: «%2-%3»</translation>
    </message>
    <message>
        <source>&quot;%1&quot; has a &quot;[&quot; with no &quot;]&quot; to close it</source>
        <translation>«%1» tiene un «[» sin «]» que lo cierre</translation>
    </message>
</context>
<context>
    <name>OptionStore</name>
    <message>
        <source>it is a folder, not a regular file</source>
        <translation>es una carpeta, no un archivo normal</translation>
    </message>
    <message>
        <source>it is a named pipe (FIFO), not a regular file</source>
        <translation>es una tubería con nombre (FIFO), no un archivo normal</translation>
    </message>
    <message>
        <source>it is a socket, not a regular file</source>
        <translation>es un socket, no un archivo normal</translation>
    </message>
    <message>
        <source>it is a device, not a regular file</source>
        <translation>es un dispositivo, no un archivo normal</translation>
    </message>
    <message>
        <source>%1 is a file, so the folder %2 cannot be created</source>
        <translation>%1 es un archivo, así que no se puede crear la carpeta %2</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 no es una carpeta</translation>
    </message>
    <message>
        <source>%1 is not a regular file</source>
        <translation>%1 no es un archivo normal</translation>
    </message>
    <message>
        <source>the settings file could not be written</source>
        <translation>no se pudo escribir el archivo de configuración</translation>
    </message>
    <message>
        <source>there are too many earlier copies</source>
        <translation>hay demasiadas copias anteriores</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held %L2 characters; the first %L3 are used</source>
        <translation>«%1» tenía %L2 caracteres; se usan los primeros %L3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held %L2 characters, more than any option takes; &quot;%3&quot; is used instead</source>
        <translation>«%1» tenía %L2 caracteres, más de los que admite cualquier opción; se usa «%3» en su lugar</translation>
    </message>
    <message>
        <source>&quot;%1&quot; held &quot;%2&quot;; &quot;%3&quot; is used instead</source>
        <translation>«%1» tenía «%2»; se usa «%3» en su lugar</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read, nor be set aside (%2). It is left as it is, and the options will not be remembered.</source>
        <translation>No se pudo leer ni apartar el archivo de configuración %1 (%2). Se deja como está, y las opciones no se recordarán.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read. It is kept as %2; what could be read of it is used, and the options are stored afresh at the next Print Preview, Copy or Save As.</source>
        <translation>No se pudo leer el archivo de configuración %1. Se conserva como %2; se usa lo que se pudo leer, y las opciones se guardarán de nuevo en la próxima vista previa, copia o guardado.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read. It is kept as %2, and the options were stored afresh.</source>
        <translation>No se pudo leer el archivo de configuración %1. Se conserva como %2, y las opciones se guardaron de nuevo.</translation>
    </message>
    <message>
        <source>the file could not be read, nor be set aside (%1), so it is left as it is</source>
        <translation>no se pudo leer ni apartar el archivo (%1), así que se deja como está</translation>
    </message>
    <message>
        <source>The settings file %1 cannot be read: %2. It is left as it is; the defaults are used, and the options will not be remembered.</source>
        <translation>No se puede leer el archivo de configuración %1: %2. Se deja como está; se usan los valores predeterminados, y las opciones no se recordarán.</translation>
    </message>
    <message>
        <source>Some stored options could not be used as they were:</source>
        <translation>Algunas opciones guardadas no se pudieron usar tal como estaban:</translation>
    </message>
    <message>
        <source>• %1.</source>
        <translation>• %1.</translation>
    </message>
    <message>
        <source>The options are stored again at the next Print Preview, Copy or Save As.</source>
        <translation>Las opciones se guardarán de nuevo en la próxima vista previa, copia o guardado.</translation>
    </message>
    <message>
        <source>cannot read the settings file %1: %2; the defaults are used</source>
        <translation>no se puede leer el archivo de configuración %1: %2; se usan los valores predeterminados</translation>
    </message>
    <message>
        <source>cannot read all of the settings file %1; what could be read of it is used</source>
        <translation>no se puede leer entero el archivo de configuración %1; se usa lo que se pudo leer</translation>
    </message>
    <message>
        <source>the stored option %1</source>
        <translation>la opción guardada %1</translation>
    </message>
    <message>
        <source>The options could not be saved to %1: %2. They will not be remembered when Foliotrace closes.</source>
        <translation>No se pudieron guardar las opciones en %1: %2. No se recordarán al cerrar Foliotrace.</translation>
    </message>
</context>
<context>
    <name>OutputFile</name>
    <message>
        <source>its folder is not writable (%1), and a file is only replaced by a complete listing written beside it</source>
        <translation>su carpeta no admite escritura (%1), y un archivo solo se sustituye por un listado completo escrito a su lado</translation>
    </message>
    <message>
        <source>%1; the complete listing is kept in %2</source>
        <translation>%1; el listado completo se conserva en %2</translation>
    </message>
    <message>
        <source>Cannot write to standard output: %1.</source>
        <translation>No se puede escribir en la salida estándar: %1.</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2.</source>
        <translation>No se puede escribir el archivo %1: %2.</translation>
    </message>
</context>
<context>
    <name>PageSetupExtras</name>
    <message>
        <source>Listing</source>
        <translation>Listado</translation>
    </message>
    <message>
        <source>F&amp;it the columns to the page width</source>
        <translation>A&amp;justar las columnas al ancho de la página</translation>
    </message>
    <message>
        <source>The column widths scaled in proportion, so that the table fills the room between the margins</source>
        <translation>Los anchos de columna se escalan en proporción, para que la tabla llene el espacio entre los márgenes</translation>
    </message>
    <message>
        <source>Te&amp;xt size:</source>
        <translation>Tama&amp;ño del texto:</translation>
    </message>
    <message>
        <source>The table&apos;s text, of its usual 8 and 10 points</source>
        <translation>El texto de la tabla, de sus 8 y 10 puntos habituales</translation>
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
        <translation>Papel %1, el de la impresora predeterminada (%2).</translation>
    </message>
    <message>
        <source>The default printer %1 names no paper size.</source>
        <translation>La impresora predeterminada %1 no indica ningún tamaño de papel.</translation>
    </message>
    <message>
        <source>%1 paper, this locale&apos;s usual size. %2</source>
        <translation>Papel %1, el tamaño habitual de esta región. %2</translation>
    </message>
</context>
<context>
    <name>PathField</name>
    <message>
        <source>Path of the folder to list</source>
        <translation>Ruta de la carpeta que listar</translation>
    </message>
    <message>
        <source>Click, or press Ctrl+L, to type or paste a path</source>
        <translation>Haga clic, o pulse Ctrl+L, para escribir o pegar una ruta</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not exist.</source>
        <translation>«%1» no existe.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a file, not a folder.</source>
        <translation>«%1» es un archivo, no una carpeta.</translation>
    </message>
</context>
<context>
    <name>PreviewKeys</name>
    <message>
        <source>Go to Page</source>
        <translation>Ir a la página</translation>
    </message>
    <message>
        <source>&amp;Page (1 to %L1):</source>
        <translation>&amp;Página (1 a %L1):</translation>
    </message>
</context>
<context>
    <name>PreviewSurface</name>
    <message>
        <source>Print preview</source>
        <translation>Vista previa de impresión</translation>
    </message>
    <message>
        <source>Print preview, page %1 of %2</source>
        <translation>Vista previa de impresión, página %1 de %2</translation>
    </message>
    <message>
        <source>Fit Width</source>
        <translation>Ajustar al ancho</translation>
    </message>
    <message>
        <source>Fit Page</source>
        <translation>Página completa</translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation>%1 %</translation>
    </message>
    <message>
        <source>Save as PDF…</source>
        <translation>Guardar como PDF…</translation>
    </message>
    <message>
        <source>Save as PDF</source>
        <translation>Guardar como PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Archivos PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Page Setup…</source>
        <translation>Configurar página…</translation>
    </message>
    <message>
        <source>Print…</source>
        <translation>Imprimir…</translation>
    </message>
</context>
<context>
    <name>PrintCommands</name>
    <message>
        <source>&amp;Fit to Page Width</source>
        <translation>A&amp;justar al ancho de la página</translation>
    </message>
    <message>
        <source>Print %L1 pages on %2?</source>
        <translation>¿Imprimir %L1 páginas en %2?</translation>
    </message>
</context>
<context>
    <name>PrintServer</name>
    <message>
        <source>The print server %1 cannot be reached.</source>
        <translation>No se puede contactar con el servidor de impresión %1.</translation>
    </message>
    <message>
        <source>The print server %1 does not answer.</source>
        <translation>El servidor de impresión %1 no responde.</translation>
    </message>
    <message>
        <source>There is no default printer (%1).</source>
        <translation>No hay impresora predeterminada (%1).</translation>
    </message>
    <message>
        <source>The printer %1 did not accept the job: %2</source>
        <translation>La impresora %1 no aceptó el trabajo: %2</translation>
    </message>
    <message>
        <source>The print server %1 has no printer %2.</source>
        <translation>El servidor de impresión %1 no tiene la impresora %2.</translation>
    </message>
</context>
<context>
    <name>PrintTitle</name>
    <message>
        <source>%1  - On: %2</source>
        <translation>%1  - Fecha: %2</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Save As</source>
        <translation>Guardar como</translation>
    </message>
</context>
<context>
    <name>QMessageBox</name>
    <message>
        <source>One entry could not be read in full; the listing holds everything else.</source>
        <translation>Una entrada no se pudo leer completa; el listado contiene todo lo demás.</translation>
    </message>
    <message>
        <source>%L1 entries could not be read in full; the listing holds everything else.</source>
        <translation>%L1 entradas no se pudieron leer completas; el listado contiene todo lo demás.</translation>
    </message>
    <message>
        <source>&quot;?&quot; stands for a size or a date that could not be read. A size followed by &quot;+&quot;, such as 1,235+, is the total of what could be read in a folder that holds more.</source>
        <translation>«?» indica un tamaño o una fecha que no se pudo leer. Un tamaño seguido de «+», como 1.235+, es el total de lo que se pudo leer en una carpeta que contiene más.</translation>
    </message>
    <message>
        <source>The entries are listed under Show Details.</source>
        <translation>Las entradas se listan en «Mostrar detalles».</translation>
    </message>
</context>
<context>
    <name>frmIntro</name>
    <message>
        <source>Brambleworks: Utilities</source>
        <translation>Brambleworks: utilidades</translation>
    </message>
    <message>
        <source>Telephone: +1 555 0100 · Fax: +1 555 0199</source>
        <translation>Teléfono: +1 555 0100 · Fax: +1 555 0199</translation>
    </message>
    <message>
        <source>E-mail: support@brambleworks.example</source>
        <translation>Correo: support@brambleworks.example</translation>
    </message>
    <message>
        <source>I &amp;Agree</source>
        <translation>&amp;Acepto</translation>
    </message>
    <message>
        <source>Made by Brambleworks</source>
        <translation>Hecho por Brambleworks</translation>
    </message>
    <message>
        <source>Foliotrace is provided as it is, without any warranty. It only reads folders: it never changes, moves or deletes a file, and it writes only to the printer, the clipboard, the files it is asked to save and its own settings. Choose I Agree to accept these terms, or Exit to leave.</source>
        <translation>Foliotrace se ofrece tal cual, sin ninguna garantía. Solo lee carpetas: nunca cambia, mueve ni borra un archivo, y solo escribe en la impresora, en el portapapeles, en los archivos que se le pide guardar y en su propia configuración. Elija Acepto para aceptar estas condiciones, o Salir para salir.</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Version:</source>
        <translation>Versión:</translation>
    </message>
</context>
<context>
    <name>frmMain</name>
    <message>
        <source>H&amp;elp</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>Select D&amp;rive or Directory:</source>
        <translation>Seleccione &amp;unidad o carpeta:</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Unidad</translation>
    </message>
    <message>
        <source>&amp;Browse…</source>
        <translation>E&amp;xaminar…</translation>
    </message>
    <message>
        <source>Choose the folder in the desktop&apos;s folder dialog</source>
        <translation>Elegir la carpeta en el diálogo de carpetas del escritorio</translation>
    </message>
    <message>
        <source>Directory</source>
        <translation>Carpeta</translation>
    </message>
    <message>
        <source>Print &amp;File Names</source>
        <translation>Imprimir &amp;nombres de archivo</translation>
    </message>
    <message>
        <source>Print &amp;Size</source>
        <translation>Imprimir &amp;tamaño</translation>
    </message>
    <message>
        <source>Print &amp;Date</source>
        <translation>Imprimir &amp;fecha</translation>
    </message>
    <message>
        <source>&amp;Grid Lines:</source>
        <translation>&amp;Líneas de cuadrícula:</translation>
    </message>
    <message>
        <source>Grid Lines</source>
        <translation>Líneas de cuadrícula</translation>
    </message>
    <message>
        <source>Sub-Directory &amp;Level:</source>
        <translation>Ni&amp;vel de subcarpetas:</translation>
    </message>
    <message>
        <source>Sub-Directory Level</source>
        <translation>Nivel de subcarpetas</translation>
    </message>
    <message>
        <source>C&amp;urrently Selected Path:</source>
        <translation>&amp;Ruta seleccionada:</translation>
    </message>
    <message>
        <source>Directory &amp;Indicator:</source>
        <translation>&amp;Marca de carpeta:</translation>
    </message>
    <message>
        <source>Print &amp;Title:</source>
        <translation>T&amp;ítulo:</translation>
    </message>
    <message>
        <source>File I&amp;ndicator:</source>
        <translation>Marca de arc&amp;hivo:</translation>
    </message>
    <message>
        <source>Directory Column &amp;Width:</source>
        <translation>&amp;Ancho columna carpeta:</translation>
    </message>
    <message>
        <source>Si&amp;ze Column Width:</source>
        <translation>Ancho columna tama&amp;ño:</translation>
    </message>
    <message>
        <source>Date C&amp;olumn Width:</source>
        <translation>Anch&amp;o columna fecha:</translation>
    </message>
    <message>
        <source>&amp;Print Preview</source>
        <translation>Vista &amp;previa</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copiar</translation>
    </message>
    <message>
        <source>&amp;Hide Print Preview</source>
        <translation>Ocultar vista pr&amp;evia</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Page:</source>
        <translation>Página:</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Página anterior</translation>
    </message>
    <message>
        <source>Previous page (Alt+Page Up)</source>
        <translation>Página anterior (Alt+Re Pág)</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Página siguiente</translation>
    </message>
    <message>
        <source>Next page (Alt+Page Down)</source>
        <translation>Página siguiente (Alt+Av Pág)</translation>
    </message>
    <message>
        <source>Save &amp;As…</source>
        <translation>&amp;Guardar como…</translation>
    </message>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>Se produjo un error inesperado.</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ayuda</translation>
    </message>
    <message>
        <source>Help &amp;Contents</source>
        <translation>&amp;Contenido de la ayuda</translation>
    </message>
    <message>
        <source>Help &amp;About</source>
        <translation>&amp;Acerca de</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Página %1 de %2</translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation>&amp;Imprimir</translation>
    </message>
    <message>
        <source>&amp;More Options…</source>
        <translation>Opciones a&amp;dicionales…</translation>
    </message>
    <message>
        <source>Which files and folders to list, what sizes count, and in which order</source>
        <translation>Qué archivos y carpetas listar, qué cuentan los tamaños y en qué orden</translation>
    </message>
    <message>
        <source>Save the listing as a PDF, a spreadsheet, CSV, HTML, JSON or text file (Ctrl+S)</source>
        <translation>Guardar el listado como PDF, hoja de cálculo, archivo CSV, HTML, JSON o de texto (Ctrl+S)</translation>
    </message>
    <message>
        <source>Page Setup…</source>
        <translation>Configurar página…</translation>
    </message>
    <message>
        <source>Paper, margins and the table&apos;s size on the page (Ctrl+Shift+P); Ctrl+P prints with a choice of printer, copies and pages</source>
        <translation>Papel, márgenes y tamaño de la tabla en la página (Ctrl+Mayús+P); Ctrl+P imprime eligiendo impresora, copias y páginas</translation>
    </message>
    <message>
        <source>Ctrl+Shift+P</source>
        <translation>Ctrl+Shift+P</translation>
    </message>
    <message>
        <source>Changes onl&amp;y</source>
        <translation>Solo cam&amp;bios</translation>
    </message>
    <message>
        <source>List only what changed since the earlier listing, with the folders leading to it</source>
        <translation>Listar solo lo que cambió desde el listado anterior, con las carpetas que llevan a ello</translation>
    </message>
    <message>
        <source>Compare With…</source>
        <translation>Comparar con…</translation>
    </message>
    <message>
        <source>Compare the folder with a listing saved earlier as JSON (Ctrl+Shift+O)</source>
        <translation>Comparar la carpeta con un listado guardado antes como JSON (Ctrl+Mayús+O)</translation>
    </message>
</context>
</TS>
