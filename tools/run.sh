#!/usr/bin/env bash
# Sets up the machine, builds the DLL and the stand-in host (no tests), and
# runs Scribbit in the host. With no display it runs under Xvfb, saves a
# screenshot to build/screenshot.png and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_TARGETS="Scribbit JotbookHost" . tools/prepare.sh
host="build/win/bin/JotbookHost.exe"
# Memos and settings live in the user's data folder, so that a new build, or
# none, leaves them be. The host takes these Unix paths as they are.
home="${XDG_DATA_HOME:-$HOME/.local/share}/scribbit"
args=(--ini "$home/JotbookHost.ini" --data "$home/JotbookData")
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$host" "${args[@]}"
fi
# A Wine desktop draws the window frames and captions that Xvfb alone would not.
shot="$BUILD/screenshot.png"
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  shot=$1; shift
  wine explorer /desktop=Jotbook,1260x1000 "$@" & host=$!
  sleep "${SCRIBBIT_SHOT_DELAY:-8}"
  import -window root "$shot"
  kill $host; wineserver -k' sh "$shot" "$host" "${args[@]}" >/dev/null 2>&1 || true
echo "Screenshot of the running tool: $shot"
