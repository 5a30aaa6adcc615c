#!/bin/sh
# Takes docs/screenshot.png: starts the built rc2e.exe in a Wine session of its own, waits for
# its window, captures the screen with ImageMagick and crops it to the window. Changes nothing else.
# Usage: scripts/screenshot.sh [OUTPUT.png]   (RC2E_BUILD_DIR: the windows build, default build/windows)
set -eu
ROOT=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--inside-session" ]; then
  BUILD=${RC2E_BUILD_DIR:-$ROOT/build/windows}
  EXE=$BUILD/bin/rc2e.exe
  OUT=${1:-$ROOT/docs/screenshot.png}
  [ -f "$EXE" ] || { echo "screenshot: $EXE not built (cmake --build $BUILD --target rc2e)" >&2; exit 1; }
  export RC2E_WINEPREFIX="${RC2E_WINEPREFIX:-$ROOT/build/screenshot/wineprefix}"
  exec "$ROOT/scripts/wine-session" "$0" --inside-session "$EXE" "$OUT"
fi

EXE=$2
OUT=$3
# Xvfb runs no window manager, so Wine draws the caption and frame itself.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
wine "$EXE" &
program=$!

window=""
i=0
while [ -z "$window" ] && [ $i -lt 300 ]; do
  window=$(xdotool search --onlyvisible --classname 'rc2e.exe' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] || sleep 0.1
  i=$((i + 1))
done
[ -n "$window" ] || { echo "screenshot: the window did not appear" >&2; kill "$program" 2>/dev/null; exit 1; }
sleep 1  # let the first paint finish

eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p "$(dirname "$OUT")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$OUT"
echo "screenshot: $OUT (${WIDTH}x${HEIGHT})"
kill "$program" 2>/dev/null || true
