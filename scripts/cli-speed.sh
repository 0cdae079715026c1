#!/usr/bin/env bash
# Times every batch command of lithora-cli against the floor of reading its input and
# writing its output from the page cache, on generated wells of 200,000 and 1,000,000 depth
# steps (12 curves), and prints wall time, peak memory, the floor and their ratio.
#
#   scripts/cli-speed.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR is a release build with lithora-cli and lithora_make_las (default build/release);
# each figure is the median of RUNS runs (default 5). The floor of a command is `cat` of its
# inputs to /dev/null plus `cat` of what it wrote to a new file, timed the same way.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build/release}")
runs=${2:-5}
cli=$build/bin/lithora-cli
make=$build/bin/lithora_make_las
for p in "$cli" "$make"; do
  [ -x "$p" ] || { echo "cli-speed.sh: no $p (build the release preset)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# shellcheck source=scripts/measure.sh
source "$here/scripts/measure.sh"

# the floor: read every input, write every output again
floor() {
  local inputs=$1 outputs=$2
  # shellcheck disable=SC2086
  measure sh -c "cat $inputs > /dev/null; for f in $outputs; do cat \"\$f\" > \"\$f.copy\"; done"
}

row() {
  local name=$1 inputs=$2 outputs=$3; shift 3
  read -r t m < <(measure "$@")
  cp "$work/stdout" "$work/stdout.out"
  read -r ft _ < <(floor "$inputs" "$outputs $work/stdout.out")
  awk -v n="$name" -v t="$t" -v m="$m" -v f="$ft" \
    'BEGIN { r = f > 0 ? t / f : 0; printf "| %s | %.3f s | %d MiB | %.3f s | %.1fx |\n", n, t, int(m / 1024), f, r }'
}

echo "| command, size | wall | peak memory | read + write floor | ratio |"
echo "|---|---|---|---|---|"
for rows in 200000 1000000; do
  label=$([ "$rows" -eq 200000 ] && echo 200k || echo 1M)
  a=$work/a_$rows.las b=$work/b_$rows.las c=$work/c_$rows.las
  "$make" "$rows" "$a"; cp "$a" "$b"; cp "$a" "$c"
  row "import $label" "$a" "" "$cli" import "$a"
  row "elastic $label" "$a" "$work/e.las" "$cli" elastic "$a" -o "$work/e.las"
  row "correlate $label" "$a" "" "$cli" correlate "$a" --reference GR
  row "merge 3x$label" "$a $b $c" "$work/m.tsv" \
    "$cli" merge "$a" "$b" "$c" --curves 1:DEPT,1:GR,2:DT,3:RHOB --table "$work/m.tsv"
  row "timelapse $label" "$a $b" "$work/t.tsv" \
    "$cli" timelapse "$a" "$b" --curve1 GR --curve2 GR --table "$work/t.tsv"
done
