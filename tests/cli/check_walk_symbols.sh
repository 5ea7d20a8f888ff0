#!/bin/sh
# Fails when a walk built for one SIMD kernel defines a symbol that code of
# the rest of the program could bind to: such code would then run that
# kernel's instructions on any processor. Allowed are the walker itself and
# what simdjson defines for that kernel (names that hold its namespace).
# Usage: check_walk_symbols.sh NM KERNEL=OBJECT...
nm=$1
shift
status=0
for pair in "$@"; do
  kernel=${pair%%=*}
  object=${pair#*=}
  bad=$("$nm" --defined-only -C "$object" |
    awk -v k="simdjson::$kernel::" -v w="wm::cli::lineWalker_$kernel" '
      $2 ~ /^[A-Z]$/ {
        name = $0; sub(/^[0-9a-f]* *[A-Za-z] /, "", name)
        if (name == w || name == "DW.ref.__gxx_personality_v0" || index(name, k) > 0) next
        print "  " $2 " " name
      }')
  if [ -n "$bad" ]; then
    echo "$object ($kernel) defines symbols other code could bind to:"
    echo "$bad"
    status=1
  else
    echo "$object ($kernel): only its own symbols"
  fi
done
exit $status
