#!/usr/bin/env bash
# How import time and peak memory grow with the rows, the curves and the line length of a
# file: three sizes of each, doubling, the other two held; LAS and ASCII column files. Each
# figure is the median of RUNS runs of `lithora-cli import`; time per input byte staying flat
# down a column is linear growth.
#
#   scripts/import-growth.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR is a release build with lithora-cli (default build/release); RUNS defaults to 3.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build/release}")
runs=${2:-3}
cli=$build/bin/lithora-cli
[ -x "$cli" ] || { echo "import-growth.sh: no $cli (build the release preset)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# make FORMAT ROWS CURVES DIGITS OUT: a well of ROWS depth steps and CURVES curves after the
# depth, each value written with DIGITS decimals (the line length grows with them).
make() {
  python3 - "$@" <<'PY'
import sys
fmt, rows, curves, digits, out = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4]), sys.argv[5]
with open(out, "w") as f:
    if fmt == "las":
        f.write("~VERSION INFORMATION\n VERS. 2.0 : CWLS LOG ASCII STANDARD - VERSION 2.0\n"
                " WRAP. NO : ONE LINE PER DEPTH STEP\n~WELL INFORMATION\n"
                f" STRT.M 1000 : START\n STOP.M {1000 + (rows - 1) * 0.1:.1f} : STOP\n"
                " STEP.M 0.1 : STEP\n NULL. -999.25 : NULL\n~CURVE INFORMATION\n DEPT.M : DEPTH\n")
        for c in range(curves):
            f.write(f" C{c}.U : CURVE {c}\n")
        f.write("~A\n")
        sep = " "
    else:
        f.write("Column 1 : Depth m\n")
        for c in range(curves):
            f.write(f"Column {c + 2} : C{c} (U) - Units : \n")
        sep = "\t"
    form = "{:." + str(digits) + "f}"
    for r in range(rows):
        depth = 1000 + r * 0.1
        values = [form.format(depth)] + [form.format(((r * 7919 + c * 104729) % 100003) / 997.0)
                                          for c in range(curves)]
        f.write(sep.join(values) + "\n")
PY
}

# shellcheck source=scripts/measure.sh
source "$here/scripts/measure.sh"

echo "| format | grown | rows | curves | decimals | file | time | peak memory | µs per KiB | KiB memory per KiB file |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for fmt in las ascii; do
  flag=$([ "$fmt" = ascii ] && echo --ascii || true)
  for spec in "rows 200000 12 4" "rows 400000 12 4" "rows 800000 12 4" \
              "curves 50000 40 4" "curves 50000 80 4" "curves 50000 160 4" \
              "line 100000 12 8" "line 100000 12 16" "line 100000 12 32"; do
    read -r grown rows curves digits <<< "$spec"
    f=$work/g.$fmt
    make "$fmt" "$rows" "$curves" "$digits" "$f"
    bytes=$(stat -c %s "$f")
    # shellcheck disable=SC2086
    read -r t m < <(measure "$cli" import "$f" $flag)
    awk -v F="$fmt" -v g="$grown" -v r="$rows" -v c="$curves" -v d="$digits" -v b="$bytes" -v t="$t" -v m="$m" \
      'BEGIN { kib = b / 1024; printf "| %s | %s | %d | %d | %d | %.1f MiB | %.3f s | %.1f MiB | %.2f | %.2f |\n",
               F, g, r, c, d, kib / 1024, t, m / 1024, t * 1e6 / kib, m / kib }'
  done
done
