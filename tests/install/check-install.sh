#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop reads from it: the
# desktop file, the AppStream metainfo, and the scheme handler registered for launch URLs.
# Usage: check-install.sh BUILD_FOLDER
set -euo pipefail
build=$1
for tool in desktop-file-validate appstreamcli xdg-mime; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix/usr" >/dev/null
share=$prefix/usr/share
desktop-file-validate "$share/applications/com.local.tarnwick.desktop"
appstreamcli validate --no-net --pedantic "$share/metainfo/com.local.tarnwick.metainfo.xml" \
  | grep -vE '^(I|P):' || true
appstreamcli validate --no-net "$share/metainfo/com.local.tarnwick.metainfo.xml" >/dev/null
for f in bin/quillbrook bin/quillbrook-find share/dbus-1/services/com.local.tarnwick.service \
         share/icons/hicolor/scalable/apps/com.local.tarnwick.svg \
         share/icons/hicolor/48x48/apps/com.local.tarnwick.png \
         share/man/man1/quillbrook-find.1 share/kio/servicemenus/quillbrook-search.desktop \
         share/nemo/actions/quillbrook-search.nemo_action share/applications/mimeinfo.cache \
         share/quillbrook/translations/quillbrook_de.qm share/quillbrook/translations/quillbrook_fr.qm \
         share/quillbrook/translations/quillbrook_en.qm share/man/de/man1/quillbrook.1 \
         share/man/fr/man1/quillbrook-find.1; do
  [ -e "$prefix/usr/$f" ] || { echo "missing after install: $f"; exit 1; }
done
ls "$prefix"/usr/lib/*/nautilus/extensions-4/libquillbrook-nautilus.so >/dev/null
# Whatever prefix the build was configured with, every file that starts the program names the
# one this installation put in place (the D-Bus daemon and launchers run exactly that path).
programs=$(grep -rhoE '(^Exec=|<command>)[^ <]+' "$share" | sed -E 's/^(Exec=|<command>)//' | sort -u)
[ "$programs" = "$prefix/usr/bin/quillbrook" ] || { echo "installed files start: $programs"; exit 1; }
[ "$(grep -rlE '(^Exec=|<command>)' "$share" | wc -l)" -ge 6 ] || { echo "files that start it are missing"; exit 1; }
# A clean desktop that knows only this prefix finds the handler for both schemes.
export XDG_DATA_DIRS=$share XDG_DATA_HOME=$prefix/home XDG_CONFIG_HOME=$prefix/config
for scheme in quillbrook tarnwick; do
  handler=$(xdg-mime query default "x-scheme-handler/$scheme")
  [ "$handler" = com.local.tarnwick.desktop ] || { echo "x-scheme-handler/$scheme: '$handler'"; exit 1; }
done
echo "installed tree checked"
