#!/usr/bin/env bash
# Sets up, builds and starts the program's window, searching FOLDER when one is given.
# Usage: scripts/run.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target quillbrook quillbrook-find
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display to open a window on; search from the terminal instead: build/default/tools/quillbrook-find PATTERN [FOLDER]" >&2
  exit 1
fi
if [ $# -gt 0 ]; then
  exec build/default/app/quillbrook --folder "$1"
fi
exec build/default/app/quillbrook
