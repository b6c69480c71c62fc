#!/usr/bin/env bash
# Configures and builds the dev preset into build/ (targets given as
# arguments, else all).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
if (($#)); then
    cmake --build --preset dev --target "$@"
else
    cmake --build --preset dev
fi
