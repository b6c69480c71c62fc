#!/usr/bin/env bash
# Installs the Debian packages Foliotrace builds, runs and tests with.
# Idempotent: apt is only asked when something is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    qt6-gtk-platformtheme qt6-image-formats-plugins
    fonts-liberation2 fontconfig
    cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils libcups2-dev
    xvfb xauth x11-utils imagemagick xdotool
    clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^ii'; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [[ $(id -u) -eq 0 ]] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
