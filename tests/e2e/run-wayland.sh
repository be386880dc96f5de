#!/usr/bin/env bash
# Starts the real program on a headless Wayland compositor (weston) with a session bus of its
# own and drives it through the accessibility tree. An X display runs beside it, as XWayland
# does in a desktop's Wayland session, so the program has to choose Wayland by itself.
# Exit 77 (skipped) where no compositor or display can be started.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in weston dbus-run-session Xvfb; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }
work=$(mktemp -d)
runtime=$work/runtime
mkdir -m 0700 "$runtime"
weston_pid=
cleanup() {
  [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null && wait "$weston_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=wayland-qb
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  --shell=desktop-shell.so --no-config >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
  [ -S "$runtime/$WAYLAND_DISPLAY" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$runtime/$WAYLAND_DISPLAY" ]; then
  echo "skipped: weston did not start"; tail -5 "$work/weston.log"; exit 77
fi
export QB_E2E_BINARY=$binary QB_E2E_WORK=$work
status=0
"$here/../../scripts/with-xvfb.sh" dbus-run-session -- /usr/bin/python3 "$here/drive_wayland.py" || status=$?
exit $status
