#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them (all, or those named).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

build="$root/build/bench"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVEK_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"
export LC_ALL=de_DE.UTF-8
for b in "$build"/bin/bench_*; do
  name="$(basename "$b")"
  if [ "$#" -eq 0 ] || printf '%s\n' "$@" | grep -qx "$name"; then
    "$b"
  fi
done
