#!/usr/bin/env bash
# Start to first painted window, median of 10, under Xvfb.
# Usage: bench/startup.sh [PROGRAM]   (default: build/default/app/quillbrook)
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:-build/default/app/quillbrook}")
exec bash scripts/with-xvfb.sh /usr/bin/python3 bench/startup.py "$program" 10
