#!/usr/bin/env bash
# Three shards of a bundled example run through GNU parallel, merged, and compared with a single run:
# the solution files byte for byte, the log apart from its two times.
#   shards_through_parallel.sh SOLVER EXAMPLE.trz
set -euo pipefail
solver=$1
example=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/single" "$work/parts" "$work/merged"

"$solver" --quiet --output-dir "$work/single" "$example" >/dev/null
parallel --will-cite --halt now,fail=1 "$solver" --quiet --threads 1 --shard {}/3 --output-dir "$work/parts" "$example" ::: 1 2 3 >/dev/null
"$solver" --quiet --output-dir "$work/merged" --merge "$work"/parts/*.deel* >/dev/null

times='s/[0-9]{1,2}-[0-9]{2}-[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}|Duur: [0-9]+:[0-9]{2}:[0-9]{2}/*/g'
status=0
for single in "$work"/single/*; do
  merged="$work/merged/$(basename "$single")"
  case "$single" in
    *.opb) cmp "$single" "$merged" || status=1 ;;
    *.opl) cmp <(sed -E "$times" "$single") <(sed -E "$times" "$merged") || status=1 ;;
  esac
done
[ "$(ls "$work/parts" | wc -l)" -eq 3 ] || status=1
[ $status -eq 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
exit $status
