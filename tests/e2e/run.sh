#!/usr/bin/env bash
# Starts the real program under Xvfb with a session bus of its own and drives it from outside
# through the accessibility tree. Exit 77 (skipped) where no display can be started.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run dbus-run-session xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QB_E2E_BINARY=$binary QB_E2E_WORK=$work
# A display that cannot start is a skip, not a failure.
if ! xvfb-run -a -s "-screen 0 1280x800x24" true 2>/dev/null; then
  echo "skipped: Xvfb cannot start here"; exit 77
fi
exec xvfb-run -a -s "-screen 0 1280x800x24" dbus-run-session -- /usr/bin/python3 "$here/drive.py"
