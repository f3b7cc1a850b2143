#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) in build/fuzz and runs each for N seconds.
#
#   scripts/fuzz.sh [target...] [--seconds N] [--parallel P] [--memory MB] [--timeout S]
#
# Every input runs within a memory limit (--memory, 2048 MB by default: an
# allocation or a process beyond it is a finding) and a time limit
# (--timeout, 10 s by default: a slower input is a finding). A seed that
# does not open within a second is a fault to fix, not a seed to drop.
#
# Targets are named without their "fuzz_" prefix (settings_store, zip, ...);
# without names every target runs, P at a time (default 1). Each keeps its corpus
# in build/fuzz/corpus/<target>, seeded from fuzz/seeds/<target>, the factory
# files of Defaults/ and the fixtures of tests/data/. An input that breaks a
# target is saved in build/fuzz/findings/<target>/; the log is in
# build/fuzz/logs/<target>.log. Exits non-zero when a target found something.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"

seconds=60
parallel=1
memory=2048
timeout=10
names=()
while [ "$#" -gt 0 ]; do
  case "$1" in
    --seconds) seconds="${2:?--seconds needs a number}"; shift 2 ;;
    --seconds=*) seconds="${1#--seconds=}"; shift ;;
    --parallel) parallel="${2:?--parallel needs a number}"; shift 2 ;;
    --parallel=*) parallel="${1#--parallel=}"; shift ;;
    --memory) memory="${2:?--memory needs a number of MB}"; shift 2 ;;
    --memory=*) memory="${1#--memory=}"; shift ;;
    --timeout) timeout="${2:?--timeout needs a number of seconds}"; shift 2 ;;
    --timeout=*) timeout="${1#--timeout=}"; shift ;;
    -h|--help) sed -n '2,/^[^#]/{/^#/p}' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) names+=("${1#fuzz_}"); shift ;;
  esac
done
# (libFuzzer takes 0 seconds for no limit: not what anyone means here.)
case "$seconds" in ''|0|*[!0-9]*) echo "fuzz.sh: --seconds takes a whole number from 1, not '$seconds'" >&2; exit 2 ;; esac
case "$parallel" in ''|0|*[!0-9]*) echo "fuzz.sh: --parallel takes a number from 1, not '$parallel'" >&2; exit 2 ;; esac
case "$memory" in ''|0|*[!0-9]*) echo "fuzz.sh: --memory takes a number of MB from 1, not '$memory'" >&2; exit 2 ;; esac
case "$timeout" in ''|0|*[!0-9]*) echo "fuzz.sh: --timeout takes a number of seconds from 1, not '$timeout'" >&2; exit 2 ;; esac

available=()
for src in "$root"/fuzz/fuzz_*.cpp; do
  name="$(basename "$src" .cpp)"
  available+=("${name#fuzz_}")
done
if [ "${#names[@]}" -eq 0 ]; then
  names=("${available[@]}")
fi
for n in "${names[@]}"; do
  if ! printf '%s\n' "${available[@]}" | grep -qx -- "$n"; then
    echo "fuzz.sh: no fuzz target '$n'. The targets are: ${available[*]}" >&2
    exit 2
  fi
done

# What building and running the program needs, then clang and its runtime
# (libFuzzer and the sanitizers), which only fuzzing needs.
"$root/scripts/setup.sh"
missing=()
command -v clang++ >/dev/null 2>&1 || missing+=(clang)
dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok installed" || missing+=(libclang-rt-14-dev)
if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DMORVEK_FUZZ=ON -DMORVEK_TESTS=OFF -DMORVEK_BENCH=OFF >/dev/null
targets=()
for n in "${names[@]}"; do targets+=("fuzz_$n"); done
cmake --build "$build" -j "${MORVEK_JOBS:-3}" --target "${targets[@]}"

# Seeds beyond fuzz/seeds/<target>: the factory files and fixtures a target reads.
seed_files() {
  case "$1" in
    section_document|settings_store|profile_file|bridge_rules|linetypes)
      find "$root/Defaults" "$root/tests/data" -type f \( -name '*.ini' -o -name '*.cfg' \) ;;
    text_file|language)
      find "$root/Defaults" "$root/tests/data" -type f \( -name '*.ini' -o -name '*.cfg' -o -name '*.lng' \) ;;
    zip) find "$root/tests/data" -type f -name '*.zip' ;;
    dxf) find "$root/tests/data/dxf" -type f -name '*.dxf' ;;
  esac
}

export LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
# The targets write their files for every input: in memory when possible.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export MORVEK_FUZZ_TMP="/dev/shm/morvek-fuzz-$$"
else
  export MORVEK_FUZZ_TMP="$build/tmp"
fi
mkdir -p "$MORVEK_FUZZ_TMP" "$build/logs"
trap 'rm -rf "$MORVEK_FUZZ_TMP"' EXIT

# Runs one target; its one-line result goes to build/fuzz/logs/<target>.result.
run_target() {
  local n="$1"
  local corpus="$build/corpus/$n" findings="$build/findings/$n"
  local log="$build/logs/$n.log" result="$build/logs/$n.result"
  mkdir -p "$corpus" "$findings"
  if [ -d "$root/fuzz/seeds/$n" ]; then cp -n "$root/fuzz/seeds/$n"/* "$corpus"/ 2>/dev/null || true; fi
  while IFS= read -r f; do
    [ -n "$f" ] && cp -n "$f" "$corpus/seed-$(basename "$f")"
  done < <(seed_files "$n")
  local max_len=4096
  case "$n" in
    zip) max_len=65536 ;;
    variable_block|binary_stream|native_drawing) max_len=16384 ;;
  esac
  echo "== fuzz_$n for ${seconds}s (log: $log)"
  local start
  start=$(date +%s)
  if "$build/bin/fuzz_$n" "$corpus" -max_total_time="$seconds" -max_len="$max_len" \
       -timeout="$timeout" -rss_limit_mb="$memory" -malloc_limit_mb="$memory" -print_final_stats=1 -artifact_prefix="$findings/" >"$log" 2>&1; then
    local runs
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)"
    echo "fuzz_$n: clean for $(( $(date +%s) - start ))s, ${runs:-?} inputs" >"$result"
  else
    local found reason
    found="$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)"
    reason="$(grep -m1 -E 'fuzz check failed|ERROR: (AddressSanitizer|libFuzzer|LeakSanitizer)|runtime error' "$log" || true)"
    echo "fuzz_$n: FOUND after $(( $(date +%s) - start ))s: ${reason:-see the log} -> ${found:-$log}" >"$result"
    return 1
  fi
}

for n in "${names[@]}"; do
  rm -f "$build/logs/$n.result"
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  run_target "$n" &
done
wait || true
rm -rf "$MORVEK_FUZZ_TMP"

echo
status=0
for n in "${names[@]}"; do
  cat "$build/logs/$n.result" 2>/dev/null || echo "fuzz_$n: did not finish (see $build/logs/$n.log)"
  grep -q ': clean for' "$build/logs/$n.result" 2>/dev/null || status=1
done
exit "$status"
