#!/usr/bin/env bash
# One task of a Slurm job array running a share of a batch list:
#   sbatch --array=1-N [--cpus-per-task=C] tools/slurm-batch.sh LIST [batch options...]
# Task i of N runs entries i, i+N, i+2N, ... of the list (penumbro-cli batch --shard),
# so the tasks need no coordination; each uses the cores Slurm gave it. Outputs land
# beside the projects, as with a local batch; the task's exit code is batch's.
# PENUMBRO_CLI names the program (default: penumbro-cli on the PATH).
#SBATCH --job-name=penumbro-batch
#SBATCH --output=penumbro-batch-%A_%a.log
set -euo pipefail

if [ $# -lt 1 ]; then
  echo "usage: sbatch --array=1-N $0 LIST [batch options...]" >&2
  exit 2
fi
: "${SLURM_ARRAY_TASK_ID:?not a job-array task: submit with sbatch --array=1-N}"
list=$1
shift
# Shards count from 1 whatever the array's first index.
shard=$((SLURM_ARRAY_TASK_ID - ${SLURM_ARRAY_TASK_MIN:-1} + 1))
exec "${PENUMBRO_CLI:-penumbro-cli}" batch --list "$list" \
  --shard "$shard/${SLURM_ARRAY_TASK_COUNT:-1}" --jobs "${SLURM_CPUS_PER_TASK:-1}" "$@"
