#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them: all, or those named, with or
# without their "bench_" prefix (scripts/bench.sh display_lists). Arguments
# that start with "--" go to every benchmark (--benchmark_filter=...).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

available=()
for src in "$root"/bench/*.cpp; do
  available+=("$(basename "$src" .cpp)")
done
names=()
options=()
for arg in "$@"; do
  case "$arg" in
    --*) options+=("$arg") ;;
    *)
      name="${arg#bench_}"
      if ! printf '%s\n' "${available[@]}" | grep -qx -- "$name"; then
        echo "bench.sh: no benchmark '$arg'. The benchmarks are: ${available[*]}" >&2
        exit 2
      fi
      names+=("$name") ;;
  esac
done
if [ "${#names[@]}" -eq 0 ]; then
  names=("${available[@]}")
fi

"$root/scripts/setup.sh"
build="$root/build/bench"
targets=()
for n in "${names[@]}"; do targets+=("bench_$n"); done
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMORVEK_TESTS=OFF >/dev/null
cmake --build "$build" -j "${MORVEK_JOBS:-$(nproc)}" --target "${targets[@]}"
export LC_ALL=de_DE.UTF-8
for n in "${names[@]}"; do
  "$build/bin/bench_$n" "${options[@]}"
done
