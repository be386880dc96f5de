#!/usr/bin/env bash
# Renders the real windows under Xvfb in each layout and state, light and dark, to PNG files.
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER]   (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target qb_screenshots
mkdir -p "$out"
QB_SCREEN=1600x1000x24 bash scripts/with-xvfb.sh build/default/tools/screenshots/qb_screenshots "$out"
