#!/usr/bin/env bash
# Builds the Debian package from a build folder, installs it with apt-get, starts the program,
# removes the package and checks that nothing it installed stays behind.
# Usage: check-package.sh BUILD_FOLDER   (as root; skipped elsewhere)
set -euo pipefail
build=$(realpath "$1")
[ "$(id -u)" -eq 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
for tool in cpack apt-get dpkg-shlibdeps Xvfb xdotool dbus-run-session gdbus; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
if dpkg-query -W -f='${Status}' quillbrook 2>/dev/null | grep -q 'install ok installed'; then
  echo "skipped: a quillbrook package is installed already; not touching it"; exit 77
fi
work=$(mktemp -d)
cleanup() {
  apt-get remove --purge -y -qq quillbrook >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb=$(ls "$work"/out/quillbrook_*.deb)
echo "built $(basename "$deb")"
dpkg-deb -f "$deb" Depends
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
dpkg -L quillbrook | sort > "$work/files"
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
DEBIAN_FRONTEND=noninteractive apt-get remove --purge -y -qq quillbrook >/dev/null
left=0
while read -r f; do
  if [ -e "$f" ] && [ ! -d "$f" ]; then echo "left behind: $f"; left=1; fi
done < "$work/files"
[ $left -eq 0 ]
! grep -q 'x-scheme-handler/quillbrook' /usr/share/applications/mimeinfo.cache 2>/dev/null
echo "installed, started and removed cleanly"
