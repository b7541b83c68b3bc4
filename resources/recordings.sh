#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the sample recitations next to the program: synthetic Albanian speech (espeak-ng, voice
# "sq") encoded as MP3 (lame), naming the surah and verse. Every verse of surahs 1, 112, 113 and 114
# goes to zeri/ajete/SSSAAA.mp3 and each of those surahs whole to zeri/sure/SSS.mp3 - the folders the
# bundled database's two sample reciters point at.
# Usage: resources/recordings.sh OUT_FOLDER SURET_TSV
set -euo pipefail
out=${1:?OUT_FOLDER}
surahs_tsv=${2:?SURET_TSV}

for tool in espeak-ng lame; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "recordings.sh: mungon programi $tool (scripts/setup.sh e instalon: apt-get install espeak-ng lame)" >&2
    exit 1
  fi
done

mkdir -p "$out/zeri/ajete" "$out/zeri/sure"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# say TEXT FILE: speaks TEXT into FILE; the file appears only once it is complete.
say() {
  espeak-ng -v sq -s 150 -w "$work/speech.wav" "$1"
  lame --quiet --noreplaygain -m m -b 32 "$work/speech.wav" "$work/speech.mp3"
  mv "$work/speech.mp3" "$2"
}

for surah in 1 112 113 114; do
  read -r verses name < <(awk -F'\t' -v s="$surah" '$1 == s { print $2, $3 }' "$surahs_tsv")
  if [ -z "${verses:-}" ]; then
    echo "recordings.sh: sureja $surah mungon në $surahs_tsv" >&2
    exit 1
  fi
  s=$(printf '%03d' "$surah")
  say "Sureja $surah, $name." "$out/zeri/sure/$s.mp3"
  for ((verse = 1; verse <= verses; verse++)); do
    say "Sureja $surah, ajeti $verse." "$out/zeri/ajete/$s$(printf '%03d' "$verse").mp3"
  done
done
