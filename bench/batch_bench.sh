#!/usr/bin/env bash
# Batch throughput: 1,000,000 generated lines through `wagemark-cli batch`,
# on one core (--jobs 1) and on every core (the default), with elapsed time
# and peak resident memory. JOBS="1 2 4" picks other settings ("" for the
# default, e.g. for a build without --jobs: JOBS="").
set -euo pipefail
cli=${1:?usage: batch_bench.sh path/to/wagemark-cli}
lines=${LINES_COUNT:-1000000}
jobs=${JOBS-1 default}
input=$(mktemp)
trap 'rm -f "$input" "$input.rss"' EXIT
awk -v n="$lines" 'BEGIN {
  for (i = 1; i <= n; i++)
    printf "{\"id\":%d,\"txtIncome\":\"%d.%02d\",\"txt401k\":\"%d\",\"HowOft\":%d,\"valMarried\":%d,\"DepsNumber\":%d,\"intState\":%d,\"StateDeps\":%d,\"intSMarried\":3}\n",
      i, 200 + (i * 37) % 5000, i % 100, i % 8, i % 4, i % 2, i % 5, i % 42, i % 3
}' > "$input"
for j in ${jobs:-default}; do
  args=(batch "$input")
  [ "$j" != default ] && args+=(--jobs "$j")
  start=$(date +%s.%N)
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f "%M" -o "$input.rss" "$cli" "${args[@]}" > /dev/null || true
    rss_kb=$(tail -n 1 "$input.rss")
  else
    "$cli" "${args[@]}" > /dev/null || true
    rss_kb="?"
  fi
  end=$(date +%s.%N)
  awk -v s="$start" -v e="$end" -v n="$lines" -v rss="$rss_kb" -v j="$j" 'BEGIN {
    t = e - s
    printf "batch (jobs %s): %d lines in %.2f s = %.0f lines/s, peak resident memory %s kB\n", j, n, t, n / t, rss
  }'
done
