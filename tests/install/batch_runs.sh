#!/usr/bin/env bash
# The batch recipes of docs/batch.md, run on this machine: GNU Parallel with this machine as
# its only host, and the Slurm job-array script run task by task outside Slurm (and checked
# with bash -n and a dry run). Each must write, for each well, the same files as a direct run.
#
#   batch_runs.sh LITHORA_CLI DOCS_DIR WELL.las...
set -euo pipefail
cli=$1
docs=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

mkdir -p "$work/wells" "$work/direct"
for w in "$@"; do cp "$w" "$work/wells/"; done
cd "$work"
for w in wells/*; do
  name=$(basename "${w%.*}")
  "$cli" elastic "$w" -o "direct/$name.las" --table "direct/$name.tsv"
done

same_as_direct() {
  for f in direct/*; do
    cmp -s "$f" "$1/$(basename "$f")" || fail "$1/$(basename "$f") differs from a direct run"
  done
}

if command -v parallel >/dev/null; then
  mkdir -p parallel
  parallel --will-cite -S : --joblog parallel.log \
    "$cli elastic {} -o parallel/{/.}.las --table parallel/{/.}.tsv" ::: wells/* </dev/null
  same_as_direct parallel
  [ "$(awk 'NR > 1 && $7 != 0' parallel.log | wc -l)" = 0 ] || fail "a job failed in GNU Parallel"
else
  echo "GNU Parallel is not installed: its recipe not tried" >&2
fi

script=$docs/elastic-array.sbatch
bash -n "$script" || fail "the Slurm script does not parse"
ls wells/* >wells.txt
count=$(wc -l <wells.txt)
dry=$(DRY_RUN=1 SLURM_ARRAY_TASK_ID=0 LITHORA_CLI="$cli" bash "$script" wells.txt slurm)
first=$(head -1 wells.txt)
grep -qF "$(basename "${first%.*}").las" <<<"$dry" || fail "dry run names no output: $dry"
[ ! -e slurm ] || fail "a dry run wrote something"
for ((task = 0; task < count; task++)); do
  SLURM_ARRAY_TASK_ID=$task LITHORA_CLI="$cli" bash "$script" wells.txt slurm
done
same_as_direct slurm
if SLURM_ARRAY_TASK_ID=$count LITHORA_CLI="$cli" bash "$script" wells.txt slurm 2>/dev/null; then
  fail "a task past the end of the list succeeded"
fi
echo "batch recipes: the outputs of $count wells equal a direct run"
