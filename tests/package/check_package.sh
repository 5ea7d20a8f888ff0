#!/bin/bash
# Builds the Debian package and checks it as Debian's own tools do: lintian
# (no error, no warning), appstreamcli on the metainfo and desktop entry,
# man(1) on both manual pages (no groff warning), the bash completion (it
# loads and offers every state the tool lists), the zsh completion (it
# parses), and the version both programs print.
#
# check_package.sh BUILD_DIR VERSION CPACK
set -u
build=$1
version=$2
cpack=$3
work=$(mktemp -d "$build/package-test.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }
step() { echo; echo "== $*"; }

step "cpack -G DEB"
if ! (cd "$build" && "$cpack" -G DEB -B "$work" >"$work/cpack.log" 2>&1); then
  cat "$work/cpack.log"
  exit 1
fi
deb=$(echo "$work"/*.deb)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes"
dpkg-deb -x "$deb" "$work/root" || exit 1
root=$work/root

step "lintian"
lintian --display-info --tag-display-limit 0 --fail-on error,warning "$deb" 2>&1 |
  grep -v '^running with root privileges' | tee "$work/lintian.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian"
grep -q '^[EW]: ' "$work/lintian.log" && fail "lintian reports errors or warnings"

step "appstreamcli validate-tree"
appstreamcli validate-tree --no-net --explain "$root" || fail "appstreamcli"
ls "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null || fail "no metainfo file"

step "man --warnings"
pages=0
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
  echo "$(basename "$page"): ${warnings:-no warnings}"
  [ -z "$warnings" ] || fail "$(basename "$page") renders with warnings"
  pages=$((pages + 1))
done
[ "$pages" -eq 2 ] || fail "expected 2 manual pages, found $pages"

step "bash completion"
cli=$root/usr/bin/wagemark-cli
"$cli" states | tail -n +2 | cut -c8-25 | sed 's/ *$//' >"$work/states.txt"
bash --norc --noprofile -c '
  source "$1/usr/share/bash-completion/completions/wagemark-cli" || exit 1
  complete -p wagemark-cli >/dev/null || exit 1
  offer() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); _wagemark_cli; printf "%s\n" "${COMPREPLY[@]}"; }
  offer wagemark-cli calc --state ""
  offer wagemark-cli calc --frequency "" >"$2/frequency.txt"
  offer wagemark-cli "" >"$2/commands.txt"
' bash "$root" "$work" >"$work/offered.txt" || fail "the bash completion does not load"
diff -u "$work/states.txt" "$work/offered.txt" || fail "--state offers other names than \"wagemark-cli states\" lists"
echo "--state offers $(wc -l <"$work/offered.txt") names; --frequency offers $(tr '\n' ' ' <"$work/frequency.txt")"
grep -qx weekly "$work/frequency.txt" || fail "--frequency does not offer weekly"
grep -qx calc "$work/commands.txt" || fail "the commands are not offered"

step "zsh completion"
zsh -n "$root/usr/share/zsh/vendor-completions/_wagemark-cli" && echo "parses" || fail "the zsh completion does not parse"

step "--version"
for program in wagemark wagemark-cli; do
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY "$root/usr/bin/$program" --version 2>&1)
  echo "$said"
  [ "$said" = "$program $version" ] || fail "$program --version says \"$said\""
done

echo
[ "$failed" -eq 0 ] && echo "The package passes." || echo "The package fails."
exit "$failed"
