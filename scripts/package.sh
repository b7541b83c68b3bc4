#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of the reader (CPack), checks its desktop entry and AppStream data,
# installs it into this machine with apt-get and starts the installed program headless.
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

# What packaging needs besides the build (the build's own packages come with setup.sh).
packages=(desktop-file-utils appstream dpkg-dev file)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

echo "== Checking the desktop entry and the AppStream data"
desktop-file-validate "$here/packaging/librezi.desktop"
appstreamcli validate --pedantic --no-net "$here/packaging/librezi.metainfo.xml"

echo "== Building the package"
if [ ! -f "$build/build.ninja" ]; then
  "$here/scripts/setup.sh" "$build"
fi
# Only what the package holds (the tests and benchmarks are not needed for it).
cmake --build "$build" --target librezi librezi-builder librezi_data librezi_recordings librezi_changelog
rm -f "$build"/librezi_*.deb
(cd "$build" && cpack -G DEB)
deb=$(ls "$build"/librezi_*.deb)
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

echo "== Installing $deb"
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --reinstall "$deb"
for f in /usr/bin/librezi /usr/bin/librezi-builder /usr/lib/librezi/librezi /usr/lib/librezi/librezi.db \
         "/usr/lib/librezi/LIB'REZI.rtf" /usr/lib/librezi/zeri/sure/001.mp3 /usr/lib/librezi/facts/suret.tsv \
         /usr/share/applications/librezi.desktop /usr/share/metainfo/librezi.metainfo.xml \
         /usr/share/icons/hicolor/scalable/apps/librezi.svg /usr/share/doc/librezi/copyright \
         /usr/share/doc/librezi/changelog.Debian.gz; do
  [ -e "$f" ] || { echo "package.sh: $f is not installed" >&2; exit 1; }
done
desktop-file-validate /usr/share/applications/librezi.desktop
# The help read whole first: grep -q leaves at its first match, and the builder still writing would die of SIGPIPE.
help=$(librezi-builder --help)
grep -q -- '--user' <<<"$help"

echo "== Starting the installed program headless"
tmp=$(mktemp -d)
chmod 755 "$tmp"
trap 'rm -rf "$tmp"' EXIT
# Run as an ordinary user when we can, as a reader of the system-wide install would.
as=()
if [ "$(id -u)" -eq 0 ] && id nobody >/dev/null 2>&1; then
  chown nobody "$tmp"
  as=(runuser -u nobody --)
fi
# Every failed start prints "librezi: ..." before it shows its message; a program still running
# after the timeout (status 124) without that line is on its main window.
set +e
"${as[@]}" env HOME="$tmp" XDG_DATA_HOME="$tmp/data" XDG_CONFIG_HOME="$tmp/config" QT_QPA_PLATFORM=offscreen \
  timeout 15 librezi 2>"$tmp/stderr"
rc=$?
set -e
cat "$tmp/stderr" >&2
if [ $rc -ne 124 ] || grep -q '^librezi:' "$tmp/stderr"; then
  echo "package.sh: the installed program did not start (status $rc)" >&2
  exit 1
fi
[ -f "$tmp/data/librezi/librezi.db" ] || { echo "package.sh: no per-user copy of the database was made" >&2; exit 1; }

echo "== Adding a reciter to the per-user copy with the installed builder"
"${as[@]}" env HOME="$tmp" XDG_DATA_HOME="$tmp/data" \
  librezi-builder --add-reciter --user --name "Prova" --folder zeri/sure --kind sure
# The installed files are as the package wrote them: nothing was written into the program folder.
dpkg --verify librezi
echo "package.sh: $(basename "$deb") installed and started"
