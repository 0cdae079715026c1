#!/usr/bin/env bash
# Runs two builds of lithora-cli over every LAS file below a folder and lists the files whose
# outputs differ: the import JSON and table, and the elastic export and table, with the exit
# code and messages of each run. Used to show that a change of the code keeps the outputs.
#
#   scripts/compare-cli.sh OLD NEW [DATA_DIR] [WORK_DIR]
#
# OLD and NEW are lithora-cli programs; OLD may instead be a folder of outputs that an
# earlier run of this script made (its WORK_DIR/old or WORK_DIR/new), so an old build need
# not be kept. DATA_DIR defaults to ../shared/testdata beside the checkout, else
# tests/data/external.
#
# Environment:
#   ONLY=import     compare only the import outputs (JSON, table, messages, exit code)
#   EXPECTED=FILE   files whose outputs are meant to differ, one output folder name at the
#                   start of a line ("#" starts a comment); their differences are listed apart
#                   and do not fail the comparison
#
# Exit 0 when every output outside EXPECTED is byte-identical, 1 otherwise.
set -uo pipefail
old=$(realpath "$1")
new=$(realpath "$2")
here=$(cd "$(dirname "$0")/.." && pwd)
data=${3:-}
if [ -z "$data" ]; then
  if [ -d "$here/../shared/testdata" ]; then data="$here/../shared/testdata"; else data="$here/tests/data/external"; fi
fi
work=${4:-$(mktemp -d)}
only=${ONLY:-}
expected=${EXPECTED:-}
mkdir -p "$work/new"

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
    [ "$only" = import ] && continue
    (cd "$d" && "$cli" elastic "$f" -o elastic.out --table elastic.tsv >elastic.log 2>elastic.err
     echo $? >elastic.rc)
    # Without --table the elastic rows are computed as they are written: the same bytes.
    (cd "$d" && "$cli" elastic "$f" -o elastic_only.out >elastic_only.log 2>elastic_only.err
     echo $? >elastic_only.rc)
    (cd "$d" && "$cli" elastic "$f" --depth-unit m --density-unit GC --vs-equation linear \
        -o elastic_units.out >elastic_units.log 2>elastic_units.err; echo $? >elastic_units.rc)
  done < <(find "$data" -type f \( -iname '*.las' -o -iname '*.las.txt' \) -print0 | sort -z)
  echo "$i files" >&2
}

if [ -d "$old" ]; then
  oldOut=$old
else
  oldOut=$work/old
  mkdir -p "$oldOut"
  run_all "$old" "$oldOut"
fi
run_all "$new" "$work/new"

# Import JSON that differs only by an empty "warnings" list (the key came later) is the same.
sameJson() {
  case "$1" in *.json) ;; *) return 1 ;; esac
  [ -f "$1" ] && [ -f "$2" ] || return 1
  python3 - "$1" "$2" <<'PY' 2>/dev/null
import json, sys
def load(p):
    j = json.load(open(p, encoding="utf-8", errors="surrogateescape"))
    if isinstance(j, dict) and j.get("warnings") == []:
        del j["warnings"]
    return j
sys.exit(0 if load(sys.argv[1]) == load(sys.argv[2]) else 1)
PY
}

# Every output file of the new run against its old twin, and every folder of either run.
: >"$work/diff.txt"
for d in "$oldOut"/*/ "$work"/new/*/; do basename "$d"; done | sort -u | while read -r key; do
  for f in "$oldOut/$key"/* "$work/new/$key"/*; do
    [ -e "$f" ] || continue
    base=$(basename "$f")
    if [ "$only" = import ] && [ "${base#import}" = "$base" ]; then continue; fi
    printf '%s\n' "$base"
  done | sort -u | while read -r base; do
    if ! cmp -s "$oldOut/$key/$base" "$work/new/$key/$base" &&
       ! sameJson "$oldOut/$key/$base" "$work/new/$key/$base"; then
      printf '%s/%s\n' "$key" "$base" >>"$work/diff.txt"
    fi
  done
done

isExpected() {
  [ -n "$expected" ] && grep -v '^#' "$expected" | awk '{print $1}' | grep -qxF "$1"
}
status=0
: >"$work/unexpected.txt"
: >"$work/expected.txt"
while read -r line; do
  key=${line%%/*}
  if isExpected "$key"; then echo "$line" >>"$work/expected.txt"; else echo "$line" >>"$work/unexpected.txt"; fi
done <"$work/diff.txt"
total=$(ls "$work/new" | wc -l)
if [ -s "$work/expected.txt" ]; then
  echo "expected differences (in $work):"
  sed 's/^/  /' "$work/expected.txt"
fi
if [ -s "$work/unexpected.txt" ]; then
  echo "differences (in $work):"
  sed 's/^/  /' "$work/unexpected.txt"
  status=1
else
  echo "identical: every other output of $total files (in $work)"
fi
exit $status
