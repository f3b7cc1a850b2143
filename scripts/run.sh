#!/usr/bin/env bash
# Builds the program and starts it. Installs what is missing first.
# Arguments are passed to the program.
#
# Without a display (no DISPLAY or WAYLAND_DISPLAY, and no QT_QPA_PLATFORM
# chosen) the program runs under a virtual X display (xvfb-run), and says so.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVEK_TESTS=OFF >/dev/null
cmake --build "$build" -j "${MORVEK_JOBS:-$(nproc)}" --target morvekxp
program="$build/bin/morvekxp"

# Qt wants a private runtime folder; without one it warns at every start.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  runtime="${TMPDIR:-/tmp}/morvekxp-runtime-$(id -u)"
  mkdir -p -m 700 "$runtime" 2>/dev/null || true
  if [ ! -O "$runtime" ] || [ "$(stat -c %a "$runtime")" != 700 ]; then
    runtime="$(mktemp -d "${TMPDIR:-/tmp}/morvekxp-runtime-XXXXXX")"
  fi
  export XDG_RUNTIME_DIR="$runtime"
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  if command -v xvfb-run >/dev/null 2>&1; then
    echo "run.sh: no display found (DISPLAY is not set): starting MorvekXP under a virtual X display (xvfb-run)." >&2
    echo "run.sh: nothing will be visible; set DISPLAY to use a real display." >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program" "$@"
  fi
  echo "run.sh: no display found (DISPLAY is not set) and xvfb-run is not installed." >&2
  echo "run.sh: set DISPLAY to an X display, install xvfb and xauth (scripts/setup.sh does)," >&2
  echo "run.sh: or run without a window: QT_QPA_PLATFORM=offscreen scripts/run.sh" >&2
  exit 1
fi
exec "$program" "$@"
