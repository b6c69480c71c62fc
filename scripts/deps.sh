#!/usr/bin/env bash
# Installs the Debian packages Foliotrace builds, runs and tests with.
# Idempotent: apt is only asked when something is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    qt6-gtk-platformtheme qt6-image-formats-plugins
    fonts-liberation2 fonts-noto-color-emoji fontconfig
    cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils libcups2-dev
    xvfb xauth x11-utils imagemagick xdotool
    clang libclang-rt-14-dev
    librsvg2-bin dpkg-dev desktop-file-utils appstream lintian man-db file
    enscript ghostscript
)

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
