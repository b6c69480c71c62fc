#!/usr/bin/env bash
# Lists a tree again and again while another process creates, renames and
# removes files and folders in it, and counts the runs that gave a listing.
# usage: churn.sh LISTING-BENCH [RUNS] [BENCH OPTIONS...]
set -euo pipefail
bench=${1:?usage: churn.sh LISTING-BENCH [RUNS] [BENCH OPTIONS...]}
runs=${2:-60}
shift $(($# < 2 ? $# : 2))
dir=$(mktemp -d)
churner=
trap '[ -n "$churner" ] && kill "$churner" 2>/dev/null; wait; rm -rf "$dir"' EXIT

# 30 x 30 folders of 10 files each.
perl -e 'my $d = shift;
    for my $a (0..29) { mkdir "$d/d$a";
        for my $b (0..29) { mkdir "$d/d$a/e$b";
            for my $f (0..9) {
                open(my $h, ">", "$d/d$a/e$b/f$f") or die; print $h "x" x ($f * 100); close $h } } }' "$dir"

perl -e 'my $d = shift; srand(1);
    while (1) {
        my $p = "$d/d" . int(rand 30) . "/e" . int(rand 30); my $n = int(rand 1000);
        if (open(my $h, ">", "$p/t$n")) { close $h } rename "$p/t$n", "$p/u$n"; unlink "$p/u$n";
        mkdir "$p/x$n"; if (open(my $h, ">", "$p/x$n/f")) { close $h }
        rename "$p/x$n", "$p/y$n"; unlink "$p/y$n/f"; rmdir "$p/y$n";
    }' "$dir" &
churner=$!

listed=0
for ((i = 0; i < runs; i++)); do
    if "$bench" "$dir" --depth 3 --print "$@" >/dev/null 2>"$dir.err"; then
        listed=$((listed + 1))
    else
        echo "run $((i + 1)): $(head -c 200 "$dir.err")" >&2
    fi
done
rm -f "$dir.err"
echo "listings: $listed of $runs runs"
