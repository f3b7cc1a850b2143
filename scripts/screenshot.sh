#!/usr/bin/env bash
# Builds the program, starts it on a virtual X server with a fresh
# configuration folder, opens a new document (or, with MORVEK_SCREENSHOT_OPEN
# naming a drawing, opens that one through File > Open), shows the property
# bar and saves a PNG picture of the main window.
#
#   scripts/screenshot.sh [picture.png]      (default: build/screenshot.png)
#
# MORVEK_BUILD_DIR names an existing build folder to use instead of
# build/release. MORVEK_SCREENSHOT_KEYS are xdotool key names pressed
# before the picture is taken, e.g. "alt+v n" (View > Nodes); the menus open
# through Alt and the arrows: "alt Right Right Right Right Right Right Right
# Down Down Down Return" is Options > Path (Options is the eighth menu).
# MORVEK_SCREENSHOT_MOUSE is an xdotool command chain run after the keys,
# e.g. "mousemove 400 300 click 1 mousemove 600 300" (screen pixels).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$(realpath -m "${1:-$root/build/screenshot.png}")"

if [ "${MORVEK_SCREENSHOT_INSIDE:-}" != 1 ]; then
  "$root/scripts/setup.sh"
  tools=()
  command -v xvfb-run >/dev/null || tools+=(xvfb xauth)
  command -v xdotool >/dev/null || tools+=(xdotool)
  [ -x /usr/bin/import ] || tools+=(imagemagick)
  if [ "${#tools[@]}" -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${tools[@]}"
  fi

  build="${MORVEK_BUILD_DIR:-$root/build/release}"
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVEK_TESTS=OFF >/dev/null
  fi
  cmake --build "$build" -j 3 --target morvekxp

  config="$(mktemp -d)"
  trap 'rm -rf "$config"' EXIT
  mkdir -p "$(dirname "$out")"
  [ -n "${MORVEK_SCREENSHOT_OPEN:-}" ] && MORVEK_SCREENSHOT_OPEN="$(realpath "$MORVEK_SCREENSHOT_OPEN")"
  MORVEK_SCREENSHOT_INSIDE=1 MORVEK_SCREENSHOT_OPEN="${MORVEK_SCREENSHOT_OPEN:-}" \
    MORVEK_SCREENSHOT_KEYS="${MORVEK_SCREENSHOT_KEYS:-}" MORVEK_SCREENSHOT_MOUSE="${MORVEK_SCREENSHOT_MOUSE:-}" \
    MORVEK_PROGRAM="$build/bin/morvekxp" XDG_CONFIG_HOME="$config" \
    XDG_RUNTIME_DIR="$config" ASAN_OPTIONS=detect_leaks=0 \
    xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$out"
  echo "$out"
  exit 0
fi

# On the virtual display.
"$MORVEK_PROGRAM" &
program=$!
trap 'kill "$program" 2>/dev/null || true' EXIT
window="$(xdotool search --sync --onlyvisible --name '^MorvekXP' | head -n 1)"
sleep 2
# There is no window manager to maximise the window or give it the keyboard.
xdotool windowsize --sync "$window" 100% 100% || true
xdotool windowfocus --sync "$window"
if [ -n "${MORVEK_SCREENSHOT_OPEN:-}" ]; then
  xdotool key ctrl+o
  sleep 2
  xdotool type --delay 20 "$MORVEK_SCREENSHOT_OPEN"
  xdotool key Return
else
  xdotool key ctrl+n
fi
sleep 1
# View > Properties through the keyboard: Alt enters the menu bar, the View
# menu is the seventh, Properties its fourth item.
xdotool key --delay 150 alt Right Right Right Right Right Right Down Down Down Down Return
sleep 1
if [ -n "${MORVEK_SCREENSHOT_KEYS:-}" ]; then
  # shellcheck disable=SC2086
  xdotool key --delay 400 $MORVEK_SCREENSHOT_KEYS
  sleep 1
fi
if [ -n "${MORVEK_SCREENSHOT_MOUSE:-}" ]; then
  # shellcheck disable=SC2086
  xdotool $MORVEK_SCREENSHOT_MOUSE
  sleep 1
fi
# The window fills the screen.
import -window root "$out"
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
