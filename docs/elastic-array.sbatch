#!/usr/bin/env bash
# A Slurm job array over many wells: one well per task, each output named after its input.
#
#   ls /data/wells/*.las > wells.txt
#   sbatch --array=0-$(($(wc -l < wells.txt) - 1))%50 elastic-array.sbatch wells.txt /data/results
#
# Outside Slurm, SLURM_ARRAY_TASK_ID picks the task, so one task can be tried by hand:
#   SLURM_ARRAY_TASK_ID=0 bash elastic-array.sbatch wells.txt results
# and DRY_RUN=1 prints the command a task would run instead of running it.
#SBATCH --job-name=lithora-elastic
#SBATCH --cpus-per-task=1
#SBATCH --mem=1G
#SBATCH --time=00:10:00
#SBATCH --output=lithora-elastic-%A_%a.log
set -euo pipefail

list=${1:?usage: elastic-array.sbatch WELL_LIST OUT_DIR}
out=${2:?usage: elastic-array.sbatch WELL_LIST OUT_DIR}
task=${SLURM_ARRAY_TASK_ID:?SLURM_ARRAY_TASK_ID is not set: submit with sbatch --array}
cli=${LITHORA_CLI:-lithora-cli}

mapfile -t wells <"$list"
if ((task < 0 || task >= ${#wells[@]})); then
  echo "task $task: the list has ${#wells[@]} wells" >&2
  exit 2
fi
well=${wells[task]}
name=$(basename "${well%.*}")
command=("$cli" elastic "$well" -o "$out/$name.las" --table "$out/$name.tsv")

if [ -n "${DRY_RUN:-}" ]; then
  printf '%q ' "${command[@]}"
  echo
  exit 0
fi
mkdir -p "$out"
# lithora-cli exits 1 for a well it cannot compute (the message says why); the task fails
# with it, so `sacct` lists exactly the wells to look at.
exec "${command[@]}"
