#!/usr/bin/env bash
# Starts the real program on a headless Wayland compositor with a session bus of its own and
# drives it through the accessibility tree. An X display runs beside it, as XWayland does in a
# desktop's Wayland session, so the program has to choose Wayland by itself. The compositor is
# mutter (GNOME's, which hands out activation tokens) where it is installed, else weston;
# QB_WAYLAND_COMPOSITOR=weston or mutter picks one, and QB_KEEP_WORK=1 keeps the work folder
# (with the program's Wayland protocol log) for a look afterwards.
# Exit 77 (skipped) where no compositor or display can be started.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)

if [ "${2:-}" = --in-session ]; then
  compositor_pid=
  trap '[ -n "$compositor_pid" ] && kill "$compositor_pid" 2>/dev/null && wait "$compositor_pid" 2>/dev/null' EXIT
  export WAYLAND_DISPLAY=wayland-qb
  log=$QB_E2E_WORK/compositor.log
  if [ "$QB_COMPOSITOR" = mutter ]; then
    mutter --headless --wayland --no-x11 --virtual-monitor 1280x800 \
      --wayland-display "$WAYLAND_DISPLAY" >"$log" 2>&1 &
  else
    weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --idle-time=0 \
      --shell=desktop-shell.so --no-config >"$log" 2>&1 &
  fi
  compositor_pid=$!
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    kill -0 "$compositor_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ]; then
    echo "skipped: $QB_COMPOSITOR did not start"; tail -5 "$log"; exit 77
  fi
  echo "compositor: $QB_COMPOSITOR"
  status=0
  /usr/bin/python3 "$here/drive_wayland.py" || status=$?
  exit $status
fi

compositor=${QB_WAYLAND_COMPOSITOR:-}
if [ -z "$compositor" ]; then
  compositor=weston
  command -v mutter >/dev/null && compositor=mutter
fi
for tool in "$compositor" dbus-run-session Xvfb; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }
work=$(mktemp -d)
trap '[ -n "${QB_KEEP_WORK:-}" ] || rm -rf "$work"' EXIT
mkdir -m 0700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime QB_E2E_BINARY=$binary QB_E2E_WORK=$work QB_COMPOSITOR=$compositor
status=0
"$here/../../scripts/with-xvfb.sh" dbus-run-session -- "$0" "$binary" --in-session || status=$?
exit $status
