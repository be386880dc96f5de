#!/usr/bin/env bash
# Sets up, builds and runs the program's main job: until the window exists, the command-line
# finder. Usage: scripts/run.sh [PATTERN] [FOLDER]  (defaults: '\.pdf$' in the home folder)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target quillbrook-find
exec build/default/tools/quillbrook-find "${1:-\\.pdf\$}" "${2:-$HOME}"
