#!/usr/bin/env bash
# Configures and builds into build/ (targets given as arguments, else all).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if (($#)); then
    cmake --build "$root/build" --target "$@"
else
    cmake --build "$root/build"
fi
