#!/usr/bin/env bash
# Installs the Debian packages Foliotrace needs for one purpose, and no more:
#   deps.sh run     build and run the program (the default)
#   deps.sh test    the above, and what the test command runs: the print
#                   server, PDF and packaging tools, clang and the
#                   sanitizer runtimes, fonts the tests compare, a
#                   spreadsheet reader (openpyxl) for the .xlsx files;
#                   qt6ct gives the screenshots a dark desktop palette
#   deps.sh bench   the above, and the programs the benchmarks measure
#                   against (du is always there; gdu, tree, enscript, gs),
#                   the latency layer's FUSE, and GNU time for peak memory
# Translations: qt6-tools-dev has the CMake side of lupdate/lrelease
# (qt6-l10n-tools), qt6-translations-l10n Qt's own dialog texts.
# Idempotent: apt is only asked when something is missing.
set -euo pipefail

run=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libcups2-dev libxlsxwriter-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
    qt6-gtk-platformtheme qt6-image-formats-plugins
    fonts-liberation2 fonts-noto-color-emoji fontconfig
)
test=(
    cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
    xvfb xauth x11-utils imagemagick xdotool
    clang clang-format libclang-rt-dev
    librsvg2-bin dpkg-dev desktop-file-utils appstream lintian man-db file
    qt6ct
    python3-openpyxl
)
bench=(gdu tree enscript ghostscript libfuse3-dev fuse3 python3 time)

case ${1:-run} in
    run) packages=("${run[@]}") ;;
    test) packages=("${run[@]}" "${test[@]}") ;;
    bench) packages=("${run[@]}" "${test[@]}" "${bench[@]}") ;;
    *) echo "usage: deps.sh [run|test|bench]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^ii'; then
        missing+=("$p")
    fi
done

# A package can be marked installed with files missing (seen with uic);
# reinstall it then.
reinstall=()
[[ -x /usr/lib/qt6/libexec/uic ]] || reinstall+=(qt6-base-dev-tools)

if ((${#missing[@]} + ${#reinstall[@]})); then
    echo "Installing: ${missing[*]} ${reinstall[*]}"
    SUDO=""
    [[ $(id -u) -eq 0 ]] || SUDO="sudo"
    $SUDO apt-get update -qq
    export DEBIAN_FRONTEND=noninteractive
    if ((${#missing[@]})); then
        $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
    if ((${#reinstall[@]})); then
        $SUDO apt-get install -y -qq --reinstall "${reinstall[@]}" >/dev/null
    fi
fi
