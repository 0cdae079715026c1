#!/usr/bin/env bash
# Runs two builds of lithora-cli over every LAS file below a folder and lists the files whose
# outputs differ: the import JSON and table, and the elastic export and table, with the exit
# code and messages of each run. Used to show that a change of the code keeps the outputs.
#
#   scripts/compare-cli.sh OLD_CLI NEW_CLI [DATA_DIR] [WORK_DIR]
#
# OLD_CLI may also be a folder of outputs this script wrote before (such as WORK_DIR/old of an
# earlier run), which saves running the old build again.
# DATA_DIR defaults to ../shared/testdata beside the checkout, else tests/data/external.
# Exit 0 when every output is byte-identical, 1 otherwise.
set -uo pipefail
old=$(realpath "$1")
new=$(realpath "$2")
here=$(cd "$(dirname "$0")/.." && pwd)
data=${3:-}
if [ -z "$data" ]; then
  if [ -d "$here/../shared/testdata" ]; then data="$here/../shared/testdata"; else data="$here/tests/data/external"; fi
fi
work=${4:-$(mktemp -d)}
mkdir -p "$work/old" "$work/new"

run_all() {
  local cli=$1 out=$2
  local i=0
  while IFS= read -r -d '' f; do
    i=$((i + 1))
    local key
    key=$(printf '%s' "${f#"$data"/}" | tr '/ ' '__')
    local d="$out/$key"
    mkdir -p "$d"
    (cd "$d" && "$cli" import "$f" --table import.tsv >import.json 2>import.err; echo $? >import.rc)
    (cd "$d" && "$cli" elastic "$f" -o elastic.out --table elastic.tsv >elastic.log 2>elastic.err
     echo $? >elastic.rc)
    (cd "$d" && "$cli" elastic "$f" --depth-unit m --density-unit GC --vs-equation linear \
        -o elastic_units.out >elastic_units.log 2>elastic_units.err; echo $? >elastic_units.rc)
  done < <(find "$data" -type f \( -iname '*.las' -o -iname '*.las.txt' \) -print0 | sort -z)
  echo "$i files" >&2
}

if [ -d "$old" ]; then
  rm -rf "$work/old"
  cp -r "$old" "$work/old"
else
  run_all "$old" "$work/old"
fi
run_all "$new" "$work/new"
if diff -rq "$work/old" "$work/new" >"$work/diff.txt"; then
  echo "identical: every output of $(ls "$work/old" | wc -l) files (in $work)"
  exit 0
fi
echo "differences (in $work):"
sed -e "s|$work/||g" "$work/diff.txt"
exit 1
