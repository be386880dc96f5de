#!/usr/bin/env bash
# Builds the Debian packages from a build folder (the program and its Nautilus module), installs
# both with apt-get, starts the program, removes them and checks that nothing stays behind.
# Usage: check-package.sh BUILD_FOLDER   (as root; skipped elsewhere)
set -euo pipefail
build=$(realpath "$1")
[ "$(id -u)" -eq 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
for tool in cpack apt-get dpkg-shlibdeps Xvfb xdotool dbus-run-session gdbus; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
for p in quillbrook quillbrook-nautilus; do
  if dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    echo "skipped: a $p package is installed already; not touching it"; exit 77
  fi
done
work=$(mktemp -d)
cleanup() {
  apt-get remove --purge -y -qq quillbrook-nautilus quillbrook >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/quillbrook_*.deb)
module=$(ls "$work"/out/quillbrook-nautilus_*.deb)
echo "built $(basename "$deb") $(basename "$module")"
# The program needs no part of Nautilus and runs natively on Wayland; the module needs both.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
! grep -q nautilus <<<"$depends" || { echo "the program depends on Nautilus"; exit 1; }
grep -q 'qt6-wayland' <<<"$depends" || { echo "no Wayland platform plugin"; exit 1; }
[ "$(dpkg-deb -f "$deb" Suggests)" = quillbrook-nautilus ] || { echo "does not suggest the module"; exit 1; }
! dpkg-deb -c "$deb" | grep -q 'nautilus/extensions' || { echo "the module is in the program's package"; exit 1; }
module_depends=$(dpkg-deb -f "$module" Depends)
echo "quillbrook-nautilus Depends: $module_depends"
grep -q 'libnautilus-extension4' <<<"$module_depends" && grep -q 'quillbrook (= ' <<<"$module_depends" \
  || { echo "the module's dependencies are incomplete"; exit 1; }
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" "$module" >/dev/null
dpkg -L quillbrook quillbrook-nautilus | sort > "$work/files"
ls /usr/lib/*/nautilus/extensions-4/libquillbrook-nautilus.so >/dev/null
/usr/bin/quillbrook --version
/usr/bin/quillbrook-find --help >/dev/null
grep -q 'x-scheme-handler/quillbrook=com.local.tarnwick.desktop' /usr/share/applications/mimeinfo.cache
# D-Bus activation, as GIO launches it (the desktop file is DBusActivatable), in a session
# where it does not run yet: the bus starts what the installed service file names.
cat > "$work/start.sh" <<'SCRIPT'
set -u
if gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
     --method org.freedesktop.DBus.GetNameOwner com.local.tarnwick >/dev/null 2>&1; then
  echo "it runs already"; exit 1
fi
timeout 60 gdbus call --session --dest com.local.tarnwick --object-path /com/local/tarnwick \
  --method org.freedesktop.Application.Activate '{}' >/dev/null || { echo "activation failed"; exit 1; }
found=1
for _ in $(seq 100); do
  if xdotool search --onlyvisible --name '^Quillbrook$' >/dev/null 2>&1; then found=0; break; fi
  sleep 0.1
done
pid=$(gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
  --method org.freedesktop.DBus.GetConnectionUnixProcessID com.local.tarnwick | sed -E 's/.*uint32 ([0-9]+).*/\1/')
[ -n "$pid" ] && kill "$pid" 2>/dev/null
exit $found
SCRIPT
# The bus starts the program with its own environment: give it a home of its own.
HOME=$work XDG_CONFIG_HOME=$work/config \
  "$(dirname "$0")/../../scripts/with-xvfb.sh" dbus-run-session -- bash "$work/start.sh" \
  || { echo "no window"; exit 1; }
echo "D-Bus activation started it and its window opened"
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq quillbrook-nautilus quillbrook >/dev/null
left=0
while read -r f; do
  if [ -e "$f" ] && [ ! -d "$f" ]; then echo "left behind: $f"; left=1; fi
done < "$work/files"
[ $left -eq 0 ]
! grep -q 'x-scheme-handler/quillbrook' /usr/share/applications/mimeinfo.cache 2>/dev/null
echo "installed, started and removed cleanly"
