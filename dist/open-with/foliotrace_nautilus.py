# "Open with Foliotrace" in Nautilus's menu for a folder, loaded by
# nautilus-python (package python3-nautilus) from its system-wide folder.
# It only adds a menu item: which program opens folders stays the desktop's.
import os
import subprocess

from gi.repository import GObject, Nautilus

LABELS = {
    "de": "Mit Foliotrace öffnen",
    "es": "Abrir con Foliotrace",
    "fr": "Ouvrir avec Foliotrace",
}


def label():
    for variable in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"):
        for language in os.environ.get(variable, "").split(":"):
            if language[:2] in LABELS:
                return LABELS[language[:2]]
            if language:
                return "Open with Foliotrace"
    return "Open with Foliotrace"


class FoliotraceMenu(GObject.GObject, Nautilus.MenuProvider):
    def _item(self, folder):
        if folder.get_uri_scheme() != "file" or not folder.is_directory():
            return []
        item = Nautilus.MenuItem(name="Foliotrace::OpenWith", label=label(),
                                 icon="example.brambleworks.Foliotrace")
        item.connect("activate", lambda _item: subprocess.Popen(
            ["foliotrace", folder.get_location().get_path()]))
        return [item]

    # Nautilus 43 passes (files); older versions (window, files).
    def get_file_items(self, *args):
        files = args[-1]
        return self._item(files[0]) if len(files) == 1 else []

    def get_background_items(self, *args):
        return self._item(args[-1])
