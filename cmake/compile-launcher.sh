#!/usr/bin/env bash
# Runs one compile through ccache (the words after the script name: ccache, the compiler and its
# arguments). A precompiled header is a few hundred megabytes whose bytes differ from one build
# folder to the next although it holds the same headers, so ccache would neither reuse the
# files compiled with it in another work tree nor hash it quickly. After making one, this writes
# beside it the ".sum" file ccache hashes in its place: a checksum of the compiler, its
# arguments (the source folder left out) and the text of every header the precompiled header
# holds, the same in every clone of the same sources.
set -u
"$@" || exit
output= depfile= previous=
for word in "$@"; do
  case $previous in
    -o) output=$word ;;
    -MF) depfile=$word ;;
  esac
  previous=$word
done
case $output in
  *.gch) ;;
  *) exit 0 ;;
esac
source_dir=${LITHORA_SOURCE_DIR:-/nonexistent}
{
  "${2:-c++}" --version 2>/dev/null | head -1
  printf '%s\n' "${@:2}" | sed "s|$source_dir|.|g"
  if [ -n "$depfile" ] && [ -f "$depfile" ]; then
    # The make rule's prerequisites: every file the header read, one per word.
    sed -e '1s/^[^:]*://' -e 's/\\$//' "$depfile" | tr -s ' \t' '\n\n' | grep -v '^$' |
      while read -r header; do
        [ -f "$header" ] && cat "$header"
      done
  else
    cat "$output"
  fi
} | sha256sum >"$output.sum"
