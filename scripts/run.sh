#!/usr/bin/env bash
# Builds the program and starts it. Installs what is missing first.
# Arguments are passed to the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVEK_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target morvekxp
exec "$build/bin/morvekxp" "$@"
