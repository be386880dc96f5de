#!/usr/bin/env bash
# Runs a command on a virtual X display of its own. Xvfb picks a free display number itself
# (-displayfd), so runs side by side never race for one. -noreset: by default the server resets
# whenever its last client leaves, and a client connecting during that reset is dropped, which
# happens when the first probe or the accessibility bus disconnects just as the program starts.
# Exits 77 when no display can start.
# Usage: scripts/with-xvfb.sh COMMAND [ARGS...]
set -euo pipefail
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed" >&2; exit 77; }
done
fifo=$(mktemp -u)
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${QB_SCREEN:-1280x800x24}" -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null; rm -f "$fifo"' EXIT
if ! read -r -t 30 number <"$fifo"; then
  echo "skipped: Xvfb did not start" >&2
  exit 77
fi
export DISPLAY=":$number"
# The number comes when the server listens; make sure a client really gets through.
for _ in $(seq 100); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "skipped: no client reaches $DISPLAY" >&2; exit 77; }
"$@"
