#!/usr/bin/env bash
# What the package gives the shell and the desktop besides the programs: the manual pages
# render without warnings and name every command, the bash completion completes commands,
# options and option words, the AppStream metainfo and the desktop entry validate.
#
#   shell_files.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
man1=$prefix/share/man/man1
completion=$prefix/share/bash-completion/completions/lithora-cli
metainfo=$prefix/share/metainfo/io.github.lithora.Lithora.metainfo.xml
for f in "$man1/lithora.1" "$man1/lithora-cli.1" "$completion" "$metainfo" \
         "$prefix/share/applications/lithora.desktop"; do
  [ -f "$f" ] || fail "not installed: ${f#"$prefix"/}"
done

# The manual pages: no groff warning, and the tool's page names each of its commands.
for page in lithora lithora-cli; do
  warnings=$(groff -man -Tutf8 -ww -z "$man1/$page.1" 2>&1 || true)
  [ -z "$warnings" ] || fail "$page.1: $warnings"
done
text=$(MANWIDTH=100 man -l "$man1/lithora-cli.1" 2>/dev/null)
for command in import elastic correlate merge timelapse fluidsub avo; do
  grep -q "lithora-cli $command" <<<"$text" || fail "lithora-cli.1 does not show '$command'"
done
# Every option the tool's usage text names is in the manual page.
"$build/bin/lithora-cli" --help | grep -oE -- '--[a-z][a-z0-9-]*' | sort -u >"$work/options"
while read -r option; do
  grep -qF -- "$option" <<<"$text" || fail "lithora-cli.1 does not describe $option"
done <"$work/options"

# The completion, called as bash would call it.
if [ -f /usr/share/bash-completion/bash_completion ]; then
  complete_words() {
    bash -c '
      source /usr/share/bash-completion/bash_completion
      source "$1"; shift
      COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
      COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
      _lithora_cli lithora-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
      printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
  }
  [ "$(complete_words lithora-cli el)" = elastic ] || fail "no completion of 'el'"
  options=$(complete_words lithora-cli elastic --s)
  grep -qx -- --s-wave <<<"$options" || fail "no --s-wave"
  grep -qx -- --slope <<<"$options" || fail "no --slope"
  options=$(complete_words lithora-cli fluidsub x.las --sw)
  grep -qx -- --sw-from <<<"$options" || fail "no --sw-from"
  [ "$(complete_words lithora-cli elastic x.las --vs-equation s)" = sqrt3 ] ||
    fail "no completion of the Vs equation's words"
  touch "$work/well_one.las"
  (cd "$work" && [ "$(complete_words lithora-cli import well_)" = well_one.las ]) ||
    fail "no file name completion"
else
  echo "bash-completion is not installed: completion not tried" >&2
fi

if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --strict "$metainfo" >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "metainfo does not validate"; }
fi
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$prefix/share/applications/lithora.desktop" 2>&1 | grep -v ': hint:' || true)
  [ -z "$out" ] || fail "desktop entry: $out"
fi
echo "shell files: all present and valid"
