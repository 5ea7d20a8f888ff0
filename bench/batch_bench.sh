#!/usr/bin/env bash
# Batch throughput: 1,000,000 generated lines through `wagemark-cli batch`,
# with elapsed time and peak resident memory.
set -euo pipefail
cli=${1:?usage: batch_bench.sh path/to/wagemark-cli}
lines=${LINES_COUNT:-1000000}
input=$(mktemp)
trap 'rm -f "$input"' EXIT
awk -v n="$lines" 'BEGIN {
  for (i = 1; i <= n; i++)
    printf "{\"id\":%d,\"txtIncome\":\"%d.%02d\",\"txt401k\":\"%d\",\"HowOft\":%d,\"valMarried\":%d,\"DepsNumber\":%d,\"intState\":%d,\"StateDeps\":%d,\"intSMarried\":3}\n",
      i, 200 + (i * 37) % 5000, i % 100, i % 8, i % 4, i % 2, i % 5, i % 42, i % 3
}' > "$input"
start=$(date +%s.%N)
if [ -x /usr/bin/time ]; then
  /usr/bin/time -f "%M" -o "$input.rss" "$cli" batch "$input" > /dev/null || true
  rss_kb=$(tail -n 1 "$input.rss"); rm -f "$input.rss"
else
  "$cli" batch "$input" > /dev/null || true
  rss_kb="?"
fi
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v n="$lines" -v rss="$rss_kb" 'BEGIN {
  t = e - s
  printf "batch: %d lines in %.2f s = %.0f lines/s, peak resident memory %s kB\n", n, t, n / t, rss
}'
