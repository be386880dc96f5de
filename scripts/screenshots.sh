#!/usr/bin/env bash
# Renders the real windows under Xvfb in each layout and state, light and dark, to PNG files:
# in English, again in German (de/, long words) and laid out right to left (rtl/).
# Usage: scripts/screenshots.sh [OUTPUT_FOLDER]   (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/screenshots}")
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target qb_screenshots
mkdir -p "$out"
shoot() { QB_SCREEN=1600x1000x24 bash scripts/with-xvfb.sh build/default/tools/screenshots/qb_screenshots "$@"; }
LANGUAGE=en LANG=C.UTF-8 shoot "$out"
# The system's own texts (error descriptions) need the German locale; made here when missing.
locales=build/locales
mkdir -p "$locales"
[ -d "$locales/de_DE.UTF-8" ] || localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8"
LOCPATH=$(realpath "$locales") LANGUAGE=de LANG=de_DE.UTF-8 shoot "$out/de"
LANGUAGE=en LANG=C.UTF-8 QB_RIGHT_TO_LEFT=1 shoot "$out/rtl"
