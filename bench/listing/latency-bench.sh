#!/usr/bin/env bash
# Times folder walks as on a network share: a FUSE layer (latency-fs) adds a
# fixed time to every lookup, folder open and folder read. Each walk given
# (listing-bench binaries, e.g. an old build and a new one) lists the test
# tree with --depth 3 --print; the walks take turns, the cached names are
# dropped before each, and the median of the rounds is printed. The walks'
# listings must match. --peers adds gdu to the turns.
#
# usage: latency-bench.sh [--rounds N] [--peers] [--scenario NAME]... LISTING-BENCH...
# scenarios: uncached-2ms cached-2ms nobig-2ms uncached-0.5ms (default: all four)
#   uncached: every lookup goes to the server (ENTRY_MS=0); cached: a name is
#   looked up once per walk; nobig: the tree without its 3,001-entry folder.
# Needs root (mount, drop_caches). LATENCY_FS names the latency-fs script;
# D its working folder (default /tmp/latency-fs-bench).
set -euo pipefail
tool=${LATENCY_FS:-/work/shared/tools/latency-fs}
export D=${D:-/tmp/latency-fs-bench}
rounds=3
peers=0
scenarios=()
walks=()
while (($#)); do
    case $1 in
    --rounds) rounds=${2:?}; shift 2 ;;
    --peers) peers=1; shift ;;
    --scenario) scenarios+=("${2:?}"); shift 2 ;;
    -*) sed -n 2,15p "$0"; exit 2 ;;
    *) walks+=("$(realpath "$1")"); shift ;;
    esac
done
((${#walks[@]})) || { sed -n 2,15p "$0"; exit 2; }
((${#scenarios[@]})) || scenarios=(uncached-2ms cached-2ms nobig-2ms uncached-0.5ms)

# What the layer and the peers need, from Debian.
if ! pkg-config --exists fuse3 2>/dev/null || ! command -v fusermount3 >/dev/null || ! command -v gdu >/dev/null; then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq libfuse3-dev fuse3 pkg-config gdu >/dev/null
fi
[ -x "$D/latfs" ] || "$tool" build
"$tool" tree >/dev/null
"$tool" tree-nobig >/dev/null
trap '"$tool" umount' EXIT

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

echo "load before: $(uptime)"
for scenario in "${scenarios[@]}"; do
    case $scenario in
    uncached-2ms) ENTRY_MS=0 SRC=tree "$tool" mount 2000 ;;
    cached-2ms) SRC=tree "$tool" mount 2000 ;;
    nobig-2ms) SRC=tree-nobig "$tool" mount 2000 ;;
    uncached-0.5ms) ENTRY_MS=0 SRC=tree "$tool" mount 500 ;;
    *) echo "unknown scenario $scenario" >&2; exit 2 ;;
    esac >/dev/null
    names=("${walks[@]}")
    ((peers)) && names+=(gdu)
    declare -A times=()
    for ((r = 1; r <= rounds; r++)); do
        for i in "${!names[@]}"; do
            "$tool" drop
            start=$(date +%s.%N)
            if [ "${names[$i]}" = gdu ]; then
                gdu -n -p "$D/mnt" >/dev/null
            else
                "${names[$i]}" "$D/mnt" --depth 3 --print >"$D/listing-$i.txt"
            fi
            end=$(date +%s.%N)
            times[$i]+="$(echo "$end - $start" | bc) "
        done
    done
    for i in "${!walks[@]}"; do
        cmp -s "$D/listing-0.txt" "$D/listing-$i.txt" || echo "$scenario: the listing of ${walks[$i]} differs" >&2
    done
    for i in "${!names[@]}"; do
        printf '%s  %-60s median %6.2f s  (%s)\n' "$scenario" "${names[$i]}" \
            "$(tr ' ' '\n' <<<"${times[$i]}" | grep . | median)" "${times[$i]% }"
    done
    unset times
done
echo "load after: $(uptime)"
