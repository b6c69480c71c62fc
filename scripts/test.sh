#!/usr/bin/env bash
# Builds everything and runs every test headless:
#   1. the sources' formatting (clang-format, .clang-format) in src/ and bench/;
#   2. the suite, warnings as errors (ci preset, build-ci/);
#   3. a 20-second libFuzzer session over the table text and number parsing
#      (fuzz preset, clang, build-fuzz/);
#   4. the suite again under AddressSanitizer and UndefinedBehaviorSanitizer
#      (asan preset, build-asan/), packaging checks (label install) left out;
#   5. the folder walk's tests under ThreadSanitizer (tsan preset, build-tsan/).
# Arguments go to the ci and asan ctest runs (e.g. -R tst_frmmain).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/deps.sh test

mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'bench/*.cpp' 'bench/*.h')
clang-format --dry-run --Werror "${sources[@]}"
echo "clang-format: ${#sources[@]} files as .clang-format lays them out"

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

cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan
