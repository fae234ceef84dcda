#!/usr/bin/env bash
# Proves tools/slurm-batch.sh on this machine with a real single-node Slurm: installs
# what is missing (slurm-wlm, munge; needs root), starts munged, slurmctld and slurmd on
# localhost with a throwaway configuration in a temporary folder, submits a 4-task array
# over a list of example targets, compares every output byte for byte with a local
# batch run, and stops the daemons it started.
#   tools/slurm-smoke.sh [PENUMBRO_CLI]   (default: build/cli/penumbro-cli)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "${1:-$root/build/cli/penumbro-cli}")
[ -x "$cli" ] || { echo "slurm-smoke: no program at $cli (build penumbro-cli first)" >&2; exit 2; }

if ! command -v slurmctld >/dev/null || ! command -v slurmd >/dev/null || ! command -v sbatch >/dev/null ||
   ! command -v munged >/dev/null; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends slurm-wlm munge
fi
PATH=$PATH:/usr/sbin:/sbin

tmp=$(mktemp -d /tmp/penumbro-slurm.XXXXXX)
chmod 755 "$tmp"
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  rm -rf "$tmp"
}
trap stop EXIT

# munge: its own key, socket and files, nothing of the system's.
mkdir -m 700 "$tmp/munge"
dd if=/dev/urandom of="$tmp/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$tmp/munge/munge.key"
munged --foreground --force --key-file="$tmp/munge/munge.key" --socket="$tmp/munge/munge.socket" \
  --pid-file="$tmp/munge/munged.pid" --log-file="$tmp/munge/munged.log" \
  >"$tmp/munged.out" 2>&1 &
pids+=($!)

host=$(hostname -s)
user=$(id -un)
port=$((20000 + RANDOM % 20000))
mkdir -p "$tmp/state" "$tmp/spool"
export SLURM_CONF=$tmp/slurm.conf
cat >"$SLURM_CONF" <<CONF
ClusterName=penumbro-smoke
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$port
SlurmdPort=$((port + 1))
SlurmUser=$user
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$tmp/munge/munge.socket
StateSaveLocation=$tmp/state
SlurmdSpoolDir=$tmp/spool
SlurmctldPidFile=$tmp/slurmctld.pid
SlurmdPidFile=$tmp/slurmd.pid
SlurmctldLogFile=$tmp/slurmctld.log
SlurmdLogFile=$tmp/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
JobCompType=jobcomp/none
MpiDefault=none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
NodeName=$host NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=smoke Nodes=$host Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -D -c >"$tmp/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D >"$tmp/slurmd.out" 2>&1 &
pids+=($!)

# Wait for the node to come up (and give up at once when a daemon died).
up=0
for _ in $(seq 60); do
  for pid in "${pids[@]}"; do kill -0 "$pid" 2>/dev/null || break 2; done
  if timeout 5 sinfo -h -o %T 2>/dev/null | grep -q idle; then up=1; break; fi
  sleep 1
done
[ "$up" -eq 1 ] || { echo "slurm-smoke: the node did not come up" >&2; cat "$tmp"/*.out >&2; exit 1; }

# Six targets in two copies of a folder: one for the cluster, one for the local run.
params=(--set monthly=0 --set first-day=172 --set stop-day=178 --set interval-minutes=10)
for side in cluster local; do
  mkdir -p "$tmp/$side"
  for i in 1 2 3; do
    cp "$root/examples/collector.dat" "$tmp/$side/collector$i.dat"
    cp "$root/examples/facade.dat" "$tmp/$side/facade$i.dat"
  done
  (cd "$tmp/$side" && ls ./*.dat | sed 's|^\./||' >list.txt)
done

cd "$tmp/cluster"
PENUMBRO_CLI=$cli sbatch --wait --array=1-4 --cpus-per-task=1 --chdir="$tmp/cluster" \
  --output="$tmp/cluster/task-%a.log" "$root/tools/slurm-batch.sh" list.txt "${params[@]}" >/dev/null ||
  { echo "slurm-smoke: the array failed" >&2; cat "$tmp"/cluster/task-*.log "$tmp"/*.out >&2; exit 1; }
"$cli" batch --list "$tmp/local/list.txt" --jobs 2 "${params[@]}" >/dev/null

failed=0
count=0
for out in "$tmp"/local/*.rep "$tmp"/local/*.mit; do
  name=$(basename "$out")
  count=$((count + 1))
  cmp -s "$out" "$tmp/cluster/$name" || { echo "slurm-smoke: $name differs" >&2; failed=1; }
done
[ "$count" -eq 12 ] || { echo "slurm-smoke: expected 12 outputs, found $count" >&2; failed=1; }
if [ "$failed" -ne 0 ]; then
  cat "$tmp"/cluster/task-*.log >&2
  exit 1
fi
echo "slurm-smoke: 4 array tasks wrote the same $count files as the local batch"
