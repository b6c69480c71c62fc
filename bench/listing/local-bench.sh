#!/usr/bin/env bash
# Two builds against each other on local disks, in turns, medians of ROUNDS:
#   warm    listing-bench FOLDER --rounds 1 (default /usr), wall_s and peak_rss_mb
#   cold    listing-bench TREE --cold --rounds 1 (the page cache dropped before each walk)
#   app     app-bench TREE --depth 5, warm and after the page cache is dropped:
#           preview_s, max_event_gap_ms, gaps_over_30ms, peak_rss_mb
# TREE is the million-entry tree (listing-bench --make-tree TREE --entries 1000000).
#
# usage: local-bench.sh [--rounds N] [--folder DIR] [--tree DIR] [--only warm|cold|app] OLD-BUILD NEW-BUILD
#   a build is a build folder holding bench/listing-bench and bench/app-bench. Root (drop_caches).
set -euo pipefail
rounds=3
folder=/usr
tree=/tmp/tree1m
only=
builds=()
while (($#)); do
    case $1 in
    --rounds) rounds=${2:?}; shift 2 ;;
    --folder) folder=${2:?}; shift 2 ;;
    --tree) tree=${2:?}; shift 2 ;;
    --only) only=${2:?}; shift 2 ;;
    -*) sed -n 2,10p "$0"; exit 2 ;;
    *) builds+=("$(realpath "$1")"); shift ;;
    esac
done
((${#builds[@]} == 2)) || { sed -n 2,10p "$0"; exit 2; }

drop() { sync; echo 3 >/proc/sys/vm/drop_caches; }
median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
# figure NAME < output: the value of "NAME: value"
figure() { awk -v n="$1:" '$1 == n {print $2; exit}'; }
declare -A seen=()
note() { seen["$1|$2"]+="$3 "; }
report() {
    printf '%s\n' "${!seen[@]}" | sort | while read -r key; do
        printf '%-70s median %8s  (%s)\n' "${key/|/  }" "$(tr ' ' '\n' <<<"${seen[$key]}" | grep . | median)" "${seen[$key]% }"
    done
}

echo "load before: $(uptime)"
for ((r = 1; r <= rounds; r++)); do
    for b in "${builds[@]}"; do
        if [ -z "$only" ] || [ "$only" = warm ]; then
            out=$("$b/bench/listing-bench" "$folder" --rounds 1)
            note "warm $folder $b" wall_s "$(figure wall_s <<<"$out")"
            note "warm $folder $b" peak_rss_mb "$(figure peak_rss_mb <<<"$out")"
        fi
        if [ -z "$only" ] || [ "$only" = cold ]; then
            out=$("$b/bench/listing-bench" "$tree" --cold --rounds 1)
            note "cold $tree $b" walk_s "$(figure walk_s <<<"$out")"
            note "cold $tree $b" walk_peak_rss_mb "$(figure walk_peak_rss_mb <<<"$out")"
        fi
        if [ -z "$only" ] || [ "$only" = app ]; then
            for state in warm cold; do
                [ $state = warm ] || drop
                out=$("$b/bench/app-bench" "$tree" --depth 5 2>/dev/null)
                for f in preview_s max_event_gap_ms gaps_over_30ms peak_rss_mb; do
                    note "app $state $b" $f "$(figure $f <<<"$out")"
                done
            done
        fi
    done
done
report
echo "load after: $(uptime)"
