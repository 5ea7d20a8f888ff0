#!/bin/sh
# Fails when a walk built for one SIMD kernel defines a symbol that code of
# the rest of the program could bind to: such code would then run that
# kernel's instructions on any processor. Allowed are the walker itself and
# what simdjson defines for that kernel (names that hold its namespace).
# Usage: check_walk_symbols.sh NM KERNEL,KERNEL... OBJECT...
# (the objects of the CLI library; those of the walks are line_walk_KERNEL).
nm=$1
kernels=$2
shift 2
status=0
checked=0
for object in "$@"; do
  for kernel in $(echo "$kernels" | tr ',' ' '); do
    case $(basename "$object") in
    "line_walk_$kernel.cpp.o" | "line_walk_$kernel.cpp.obj") ;;
    *) continue ;;
    esac
    checked=$((checked + 1))
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
done
# Every kernel of the build was found.
expected=$(echo "$kernels" | tr ',' '\n' | grep -c .)
if [ "$checked" -ne "$expected" ]; then
  echo "checked $checked walk files of $expected kernels ($kernels)"
  status=1
fi
exit $status
