#!/usr/bin/env bash
# Runs every fuzz target of the readers in turn for SECONDS each (default 60), starting from
# the seed corpus kept in the repository, and prints executions, executions per second and
# findings per target. Builds the `fuzz` preset (clang with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), installing what it needs on Debian. Targets run one after
# another, each on one core at low priority, so the machine stays usable.
#
#   [JOBS=N] scripts/fuzz.sh [SECONDS] [TARGET...]
#       TARGET: las las_file ascii table llg lapse chart session (default: all)
#       JOBS: compilers the build may run at once (default 2)
#
# What the fuzzer adds to a target's corpus stays in build/fuzz/corpus/TARGET; a finding is
# written to build/fuzz/findings/TARGET/ (copy it to tests/fuzz/reproducers/TARGET/ once it is
# mended, so the replay test keeps it found). Exit 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
all=(las las_file ascii table llg lapse chart session)
usage() {
  echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]   TARGET: ${all[*]} (default: all)" >&2
  exit 2
}
seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || usage
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all[@]}")
for t in "${targets[@]}"; do
  [[ " ${all[*]} " == *" $t "* ]] || usage
done

bash scripts/install-deps.sh
need=()
# clang's own runtime package holds libFuzzer and the sanitizers.
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

cmake --preset fuzz >/dev/null
# JOBS: compilers at once for the build (default 2, the preset's).
cmake --build --preset fuzz -j "${JOBS:-2}"

declare -A seeds=(
  [las]="tests/fuzz/corpus/las tests/data/las tests/data/cli tests/data/external"
  [las_file]="tests/fuzz/corpus/las tests/data/las tests/data/cli tests/data/external"
  [ascii]="tests/fuzz/corpus/ascii tests/data/ascii"
  [table]="tests/fuzz/corpus/table"
  [llg]="tests/fuzz/corpus/llg"
  [lapse]="tests/fuzz/corpus/lapse tests/data/las tests/data/cli"
  [chart]="tests/fuzz/corpus/chart"
  [session]="tests/fuzz/corpus/session"
)
# The longest input each target is given. A LAS header and a few data lines fit in 8 KB, so
# the in-memory LAS target stays small and fast; the file-level target takes inputs up to
# 1 MiB, where the reader sizes its columns from the file and gathers a long header in pieces.
declare -A max_len=([las]=8192 [las_file]=1048576)
# Leaks are still found; the options only trim what AddressSanitizer does on every
# allocation (no stack of the allocating call, no fill of fresh blocks, a smaller quarantine
# of freed memory), which makes the readers' targets about 40 % faster.
asan_options=detect_leaks=1:malloc_context_size=0:max_malloc_fill_size=0:quarantine_size_mb=16
found=0
printf '%-8s %12s %10s %9s\n' target executions "exec/s" findings
for t in "${targets[@]}"; do
  work=build/fuzz/corpus/$t
  findings=build/fuzz/findings/$t
  mkdir -p "$work" "$findings"
  log=build/fuzz/$t.log
  # Findings of earlier runs stay where they are; only this run's are counted.
  stamp=build/fuzz/$t.start
  touch "$stamp"
  # shellcheck disable=SC2086
  ASAN_OPTIONS=$asan_options nice -n 10 build/fuzz/bin/fuzz_$t -max_total_time="$seconds" -max_len="${max_len[$t]:-65536}" \
    -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/" \
    "$work" ${seeds[$t]} >"$log" 2>&1 || true
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  n=$(find "$findings" -type f -newer "$stamp" | wc -l)
  found=$((found + n))
  printf '%-8s %12s %10s %9s\n' "$t" "${execs:-?}" "${rate:-?}" "$n"
done
[ "$found" -eq 0 ]
