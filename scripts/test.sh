#!/usr/bin/env bash
# Builds everything and runs every test headless.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
"$root/scripts/build.sh"

# A short fuzz session over the table text parsing, in a clang build of its own.
CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-fuzz" -G Ninja \
    -DFOLIOTRACE_FUZZ=ON -DBUILD_TESTING=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build-fuzz" --target fuzz_tabletext
mkdir -p "$root/build-fuzz/corpus"
if ! "$root/build-fuzz/tests/print/fuzz/fuzz_tabletext" -max_total_time=20 -max_len=4096 -timeout=5 \
    "$root/build-fuzz/corpus" "$root/tests/print/fuzz/corpus" >"$root/build-fuzz/fuzz.log" 2>&1; then
    tail -n 60 "$root/build-fuzz/fuzz.log"
    echo "fuzz_tabletext found a fault (see build-fuzz/fuzz.log)" >&2
    exit 1
fi
echo "fuzz_tabletext: $(grep -E '^Done' "$root/build-fuzz/fuzz.log" || tail -n 1 "$root/build-fuzz/fuzz.log")"

export QT_QPA_PLATFORM=offscreen
cd "$root/build"
ctest --output-on-failure -j2 "$@"
