#!/usr/bin/env bash
# Batch throughput beside Python's json.loads on the same lines: 300,000
# generated lines of about 340 bytes (every key a line can carry, 20, with a
# `settings` object) through `wagemark-cli batch` on one core (--jobs 1) and
# on every core (the default), with peak resident memory, and Python merely
# parsing each line. Each figure is the best of REPEAT runs (default 3), as
# the machine may be busy with other work. LINES_COUNT and JOBS ("1 default")
# pick other settings.
set -euo pipefail
# Decimal points as the arithmetic below reads them, whatever the locale.
export LC_ALL=C
cli=${1:?usage: batch_bench.sh path/to/wagemark-cli}
here=$(dirname "$0")
lines=${LINES_COUNT:-300000}
jobs=${JOBS-1 default}
repeat=${REPEAT:-3}
input=$(mktemp)
trap 'rm -f "$input" "$input.time"' EXIT
python3 "$here/batch_lines.py" bench "$lines" 1 "$input"
echo "$lines lines of $(( $(wc -c < "$input") / lines )) bytes on average"

python=0
for _ in $(seq "$repeat"); do
  rate=$(python3 "$here/batch_lines.py" parse "$input")
  (( rate > python )) && python=$rate
done
printf "Python json.loads: %d lines/s\n" "$python"

for j in ${jobs:-default}; do
  args=(batch "$input")
  [ "$j" != default ] && args+=(--jobs "$j")
  best="" rss=""
  for _ in $(seq "$repeat"); do
    # The shell's own clock: a `date` run would add its start-up to the time.
    start=$EPOCHREALTIME
    /usr/bin/time -f "%M" -o "$input.time" "$cli" "${args[@]}" > /dev/null || true
    end=$EPOCHREALTIME
    t=$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.4f", e - s }')
    kb=$(tail -n 1 "$input.time")
    if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    if [ -z "$rss" ] || (( kb > rss )); then rss=$kb; fi
  done
  awk -v t="$best" -v n="$lines" -v rss="$rss" -v j="$j" -v py="$python" 'BEGIN {
    printf "batch (jobs %s): %.3f s = %.0f lines/s, %.1f times Python, peak resident memory %.1f MB\n",
           j, t, n / t, n / t / py, rss / 1024
  }'
done
