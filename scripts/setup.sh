#!/usr/bin/env bash
# Installs every Debian package the build, the program, the tests and the benchmarks need.
# Idempotent, and quiet when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config clang-format
  qt6-base-dev                  # QtCore for the search model; Widgets, DBus for the window
  qt6-tools-dev qt6-l10n-tools  # lupdate and lrelease, and their CMake functions, for the translations
  qt6-translations-l10n         # Qt's own texts in the user's language
  qt6-qpa-plugins               # the X11 and offscreen platform plugins
  qt6-wayland                   # running natively on a Wayland session
  qt6-wayland-dev wayland-protocols  # asking the compositor for activation tokens
  qt6-base-private-dev          # Qt's Wayland display, window surfaces and last input serial
  libxcb1-dev                   # bringing an existing window forward on X11
  libqt6svg6                    # the icon theme's SVG icons
  qt6-pdf-dev                   # PDF pages in the preview
  qt6-image-formats-plugins     # more image formats in the preview
  adwaita-icon-theme fonts-dejavu-core  # icons and a font where the desktop brings none
  libicu-dev                    # regular expressions and collation
  libglib2.0-dev shared-mime-info  # content types by name
  zip unzip                     # the archiver, and a reader for the tests
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  trash-cli                     # an independent trash client the tests check against
  hyperfine fd-find findutils python3  # bench/compare.sh
  xvfb xauth dbus at-spi2-core python3-pyatspi python3-dbus xdotool  # driving the real window
  weston mutter                 # headless Wayland compositors for the Wayland end-to-end test
  imagemagick                   # scripts/screenshots.sh
  libnautilus-extension-dev     # the file manager's menu item
  desktop-file-utils appstream xdg-utils dpkg-dev  # checking the installed tree and the package
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
