#!/usr/bin/env bash
# Installs the build into PREFIX as a packager would, then checks what
# landed: the desktop entry and the AppStream data validate, the icons and
# the manual page are in place, and the installed program answers and
# refuses bad arguments without a display.
# Usage: check-install.sh BUILD-DIR PREFIX
set -euo pipefail
build=$1 prefix=$2
id=example.brambleworks.Foliotrace
fail() { echo "check-install: $*" >&2; exit 1; }

rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

for file in bin/foliotrace share/foliotrace/Foliotrace.HLP share/man/man1/foliotrace.1.gz \
    share/icons/hicolor/scalable/apps/$id.svg share/doc/foliotrace/copyright \
    share/foliotrace/translations/foliotrace_{de,fr,es}.qm share/kio/servicemenus/$id.desktop \
    share/nemo/actions/foliotrace.nemo_action share/nautilus-python/extensions/foliotrace_nautilus.py; do
    [[ -s $prefix/$file ]] || fail "$file is not installed"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    [[ $(file -b "$png") == "PNG image data, $size x $size,"* ]] || fail "$png is no ${size} px PNG"
done
# Installing never changes which program opens folders: "Open with" comes
# from the file managers' own menus, and the launcher claims no file type.
! grep -q '^MimeType=' "$prefix/share/applications/$id.desktop" || fail "the launcher claims a file type"
! grep -q '<mediatype>' "$prefix/share/metainfo/$id.metainfo.xml" || fail "the AppStream data claims a file type"
grep -q '^Comment\[de\]=' "$prefix/share/applications/$id.desktop" || fail "the launcher is not translated"
warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/man1/foliotrace.1.gz" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "the manual page has faults: $warnings"

# Run as from a menu or a script with no display: exit status, then the
# words on standard output or standard error.
headless() { # expected-status output-pattern arguments...
    local expected=$1 pattern=$2 status=0 output
    shift 2
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        "$prefix/bin/foliotrace" "$@" 2>&1) || status=$?
    [[ $status == "$expected" ]] || fail "foliotrace $* ended with $status, not $expected: $output"
    [[ $output =~ $pattern ]] || fail "foliotrace $* said: $output"
}
headless 0 '^Foliotrace 1\.5\.1$' --version
headless 0 'Usage: .*foliotrace \[options\] \[FOLDER\]' --help
# The installed catalogs, found from the installed program, for the user's language.
LANGUAGE=de headless 0 'Aufruf: .*foliotrace \[Optionen\] \[ORDNER\]' --help
headless 2 "Unknown option 'frobnicate'" --frobnicate
headless 2 '"/nonexistent/folder" does not exist' /nonexistent/folder
headless 1 'no display available' "$prefix"
# A listing written by the installed program, of its own shared folder.
listing=$(mktemp --suffix=.csv)
trap 'rm -f "$listing"' EXIT
headless 0 '^$' --export "$listing" --depth 1 "$prefix/share/foliotrace"
grep -q '^0,file,Foliotrace.HLP,Foliotrace.HLP,[0-9]' "$listing" || fail "the export lacks the help file: $(cat "$listing")"
echo "check-install: $prefix is complete"
