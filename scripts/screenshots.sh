#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the README's pictures of the window under Xvfb, on a translation file given as the first argument
# (it is imported into a temporary folder for the pictures only; it is not part of the program):
#   scripts/screenshots.sh /path/to/sq.ahmeti.txt [WIDTHxHEIGHT] [SCALE] [/path/to/quran-simple-clean.txt]
# The pictures go to docs/ : the window on a chosen surah, the bookmarks, a search and its export (the dialog and
# the PDF's first page), the night page; with the Arabic text, the
# Arabic above the verses, an Arabic search and a verse compared.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
translation=${1:?usage: scripts/screenshots.sh TRANSLATION_FILE [WIDTHxHEIGHT] [SCALE] [ARABIC_FILE]}
screen=${2:-1366x768}
scale=${3:-1}
arabic=${4:-}
suffix=${screen}${scale/#1/}
[ "$scale" = "1" ] || suffix=${screen}@${scale}x
for p in xvfb xdotool x11-apps imagemagick poppler-utils; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get install -y -qq --no-install-recommends "$p" >/dev/null
  fi
done
[ -f "$here/build/build.ninja" ] || "$here/scripts/setup.sh" "$here/build" >/dev/null
cmake --build "$here/build" --target librezi librezi-builder >/dev/null

tmp=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$tmp"' EXIT
cp "$here/build/librezi" "$tmp/"
cp -r "$here/build/zeri" "$tmp/" 2>/dev/null || true
"$here/build/tools/librezi-builder" --facts "$here/resources/facts" --out "$tmp" --translation "$translation" >/dev/null
mkdir -p "$here/docs"
if [ -n "$arabic" ]; then
  XDG_DATA_HOME=$tmp/data "$here/build/tools/librezi-builder" --facts "$here/resources/facts" --parallel "$arabic" >/dev/null
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 "${screen}x24" -nolisten tcp >/dev/null 2>&1 &
sleep 1
mkdir -p "$tmp/home"
export DISPLAY=$display HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_DATA_HOME=$tmp/data QT_SCALE_FACTOR=$scale
"$tmp/librezi" >/dev/null 2>&1 &
for _ in $(seq 50); do xdotool search --name "Lib'rezi Drites" >/dev/null 2>&1 && break; sleep 0.2; done
sleep 2
window=$(xdotool search --name "Lib'rezi Drites" | tail -1)
xdotool windowfocus --sync "$window" # no window manager gives it the keyboard
sleep 0.5
keys() { xdotool key --clearmodifiers "$@"; sleep 0.7; }
type() { xdotool type --delay 20 "$1"; sleep 0.3; }
shot() { import -window root "$here/docs/$1-$suffix.png"; echo "docs/$1-$suffix.png"; } # xwd misses a window opened over the first

# A surah chosen: Jasin at the top of the view, its heading above its first verse.
keys ctrl+g; type "36:1"; keys Return
shot surah
# Two verses marked, and the bookmarks page.
keys ctrl+d; keys ctrl+g; type "2:255"; keys Return; keys ctrl+d
keys alt+h
shot bookmarks
keys alt+s
# Listening verse after verse: the strip plays, the text follows.
keys ctrl+g; type "1:1"; keys Return; keys ctrl+l
sleep 1.5
shot listening
# The recitation ends with "Fund" in a message box: it is closed before going on.
before=$(xdotool search --onlyvisible --name "Lib'rezi Drites" | wc -l)
for _ in $(seq 100); do
  [ "$(xdotool search --onlyvisible --name "Lib'rezi Drites" | wc -l)" -gt "$before" ] && break
  sleep 0.3
done
sleep 0.5
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "Lib'rezi Drites" | tail -1)"
keys Return
xdotool windowfocus --sync "$window"
# A search of two words that must both stand in a verse.
keys ctrl+shift+f; keys ctrl+a; type "Musa&Harun"; keys Return
sleep 1
shot search
# The results exported: the dialog; then saved where the file dialog suggests, and the PDF's first page.
focus() { xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "$1" | tail -1)"; sleep 0.3; }
keys ctrl+e
focus "^Eksporto$"
shot export
keys Return
sleep 1
focus "^Eksporto$"
keys Return
sleep 2
focus "Lib'rezi Drites"
keys Return
pdftoppm -r 60 -f 1 -l 1 -singlefile -png "$tmp"/home/*.pdf "$here/docs/export-pdf"
echo docs/export-pdf.png
xdotool windowfocus --sync "$window"
# Reading at night: Jasin again, its first verse marked, on the dark page; then the day again.
keys alt+Left
keys ctrl+g; type "36:1"; keys Return
keys ctrl+shift+n
shot night
keys ctrl+shift+n

[ -n "$arabic" ] || exit 0
# The Arabic above every verse, an Arabic search, and a verse's texts compared.
keys alt+Left
keys ctrl+shift+a
keys ctrl+g; type "36:1"; keys Return
shot arabic
keys ctrl+shift+f; keys ctrl+a; type "الرحمن"; keys Return
sleep 1
shot arabic-search
keys alt+Left
keys ctrl+g; type "2:255"; keys Return
keys ctrl+shift+k
sleep 1
xdotool windowfocus --sync "$(xdotool search --name "^Krahaso$" | tail -1)" # drawn once it has the keyboard
keys Next; keys Prior
shot compare
