#!/usr/bin/env bash
# foliotrace --export of a folder to CSV, JSON, readable text and a
# spreadsheet, timed in the same run as du -ab and tree -J --du on the same
# folder and depth, after one warm-up pass of each, rounds interleaved.
# Prints "name: value" lines: the CSV and JSON exports over du's time
# (target: at most 1.0), the text and the spreadsheet over the CSV export's
# (target: at most 1.5), and each export's peak memory.
#
#   export-bench [FOLDER] [--depth N] [--rounds N] [--program PATH]
set -euo pipefail
"@PROJECT_SOURCE_DIR@/scripts/deps.sh" bench  # du is always there; tree is not

folder=/usr depth=3 rounds=5
program="$(dirname "$(readlink -f "$0")")/../foliotrace"
while (($#)); do
    case $1 in
        --depth) depth=$2; shift 2 ;;
        --rounds) rounds=$2; shift 2 ;;
        --program) program=$2; shift 2 ;;
        -*) echo "usage: export-bench [FOLDER] [--depth N] [--rounds N] [--program PATH]" >&2; exit 2 ;;
        *) folder=$1; shift ;;
    esac
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The stored options stay out of it: all columns, files listed.
export XDG_CONFIG_HOME=$work/config

declare -A commands=(
    [export_csv]="$program --export $work/out.csv --depth $depth $folder"
    [export_json]="$program --export $work/out.json --depth $depth $folder"
    [export_txt]="$program --export $work/out.txt --depth $depth $folder"
    [export_xlsx]="$program --export $work/out.xlsx --depth $depth $folder"
    [du]="du -ab --max-depth=$depth $folder"
    [tree_json]="tree -J -L $depth --du $folder"
)
names=(du export_csv export_json export_txt export_xlsx tree_json)
declare -A times rss

# Microseconds one command takes, its output dropped; du and tree exit 1 on
# what they cannot read. Its peak RSS in kB goes to $work/rss.
seconds() {
    local start end
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/rss" ${commands[$1]} >/dev/null 2>&1 || [[ $1 == du || $1 == tree_json ]]
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

for name in "${names[@]}"; do seconds "$name" >/dev/null; done
for ((round = 0; round < rounds; round++)); do
    for name in "${names[@]}"; do
        times[$name]+="$(seconds "$name") "
        kb=$(tail -n 1 "$work/rss")
        ((kb > ${rss[$name]:-0})) && rss[$name]=$kb
    done
done

median() { tr ' ' '\n' <<<"$1" | grep . | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "folder: $folder"
echo "depth: $depth"
echo "rounds: $rounds"
echo "rows: $(($(grep -c $'\r$' "$work/out.csv") - 1))"
for name in "${names[@]}"; do
    m=$(median "${times[$name]}")
    declare "median_$name=$m"
    printf '%s_s: %d.%06d\n' "$name" $((m / 1000000)) $((m % 1000000))
done
for name in export_csv export_json tree_json; do
    m="median_$name"
    awk -v a="${!m}" -v b="$median_du" -v n="$name" 'BEGIN {printf "%s_vs_du: %.2f\n", n, a / b}'
done
for name in export_txt export_xlsx; do
    m="median_$name"
    awk -v a="${!m}" -v b="$median_export_csv" -v n="$name" 'BEGIN {printf "%s_vs_csv: %.2f\n", n, a / b}'
done
for name in export_csv export_json export_txt export_xlsx; do
    awk -v kb="${rss[$name]}" -v n="$name" 'BEGIN {printf "%s_peak_rss_mb: %.1f\n", n, kb / 1024}'
done
