#!/usr/bin/env bash
# Same answers: two builds of `wagemark-cli batch` over the same generated
# lines (valid and hostile), compared line by line; the new build also with
# --jobs 1 against its default.
set -euo pipefail
old=${1:?usage: compare_batch.sh OLD_CLI NEW_CLI [LINES]}
new=${2:?usage: compare_batch.sh OLD_CLI NEW_CLI [LINES]}
lines=${3:-1000000}
here=$(dirname "$0")
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 "$here/batch_lines.py" generate "$lines" 13 "$dir/in.jsonl" "$dir/kinds"
"$old" batch "$dir/in.jsonl" > "$dir/old.jsonl" || true
"$new" batch "$dir/in.jsonl" > "$dir/new.jsonl" || true
"$new" batch --jobs 1 "$dir/in.jsonl" > "$dir/new1.jsonl" || true
cmp "$dir/new.jsonl" "$dir/new1.jsonl" && echo "--jobs 1 and the default give the same output"
python3 "$here/batch_lines.py" compare "$dir/in.jsonl" "$dir/kinds" "$dir/old.jsonl" "$dir/new.jsonl"
