#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for SECONDS (default 60) on a copy of its starting corpus: tests/fuzz/corpus/HARNESS
# when there is one, else the project texts of tests/fuzz/corpus/project (with project.dict).
# Exits non-zero on the first finding and leaves the reproducer (crash-*, leak-*, timeout-*)
# in build-fuzz/findings; keep it in the harness's corpus once the fault is mended.
# Usage: tools/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is missing (tools/setup.sh installs it)" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ "${launcher[@]}" \
  -DPENUMBRO_FUZZ=ON -DPENUMBRO_SANITIZE=ON -DPENUMBRO_GUI=OFF -DPENUMBRO_TESTS=OFF -DPENUMBRO_BENCH=OFF >/dev/null
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for f in tests/fuzz/Fuzz*.cpp; do harnesses+=("$(basename "$f" .cpp | tr '[:upper:]' '[:lower:]')"); done
fi
cmake --build build-fuzz -j2 --target "${harnesses[@]}" >/dev/null
mkdir -p build-fuzz/findings
for h in "${harnesses[@]}"; do
  corpus=build-fuzz/corpus/$h
  mkdir -p "$corpus"
  seeds=tests/fuzz/corpus/$h
  dict=()
  if [ ! -d "$seeds" ]; then
    seeds=tests/fuzz/corpus/project
    dict=(-dict=tests/fuzz/project.dict)
  fi
  cp -n "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "== $h: ${seconds} s"
  if ! build-fuzz/tests/fuzz/$h -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
       "${dict[@]}" -artifact_prefix=build-fuzz/findings/ -print_final_stats=1 \
       "$corpus" 2>build-fuzz/$h.log; then
    tail -n 40 build-fuzz/$h.log >&2
    echo "fuzz.sh: $h found a fault; the reproducer is in build-fuzz/findings/" >&2
    exit 1
  fi
  grep -E '^stat::number_of_executed_units' build-fuzz/$h.log | sed "s/^/  /"
done
