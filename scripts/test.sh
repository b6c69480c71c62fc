#!/usr/bin/env bash
# Builds everything and runs every test headless, three ways:
#   1. the suite, warnings as errors (ci preset, build-ci/);
#   2. a 20-second libFuzzer session over the table text parsing (fuzz
#      preset, clang, build-fuzz/);
#   3. the suite again under AddressSanitizer and UndefinedBehaviorSanitizer
#      (asan preset, build-asan/), packaging checks (label install) left out.
# Arguments go to both ctest runs (e.g. -R tst_frmmain).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh

cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci "$@"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build-fuzz/corpus
if ! build-fuzz/tests/print/fuzz/fuzz_tabletext -max_total_time=20 -max_len=4096 -timeout=5 \
    build-fuzz/corpus tests/print/fuzz/corpus >build-fuzz/fuzz.log 2>&1; then
    tail -n 60 build-fuzz/fuzz.log
    echo "fuzz_tabletext found a fault (see build-fuzz/fuzz.log)" >&2
    exit 1
fi
echo "fuzz_tabletext: $(grep -E '^Done' build-fuzz/fuzz.log || tail -n 1 build-fuzz/fuzz.log)"

cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan "$@"
