#!/usr/bin/env bash
# Builds Foliotrace and starts it in the folder this script was started from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh" run
"$root/scripts/build.sh" foliotrace
exec "$root/build/foliotrace" "$@"
