#!/usr/bin/env bash
# Starts the real program under Xvfb with a session bus of its own and drives it from outside
# through the accessibility tree. Exit 77 (skipped) where no display can be started.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in Xvfb dbus-run-session xdotool; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "skipped: python3-pyatspi is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QB_E2E_BINARY=$binary QB_E2E_WORK=$work
# The display first, then the session bus on it. A display that cannot start is a skip.
exec "$here/../../scripts/with-xvfb.sh" dbus-run-session -- /usr/bin/python3 "$here/drive.py"
