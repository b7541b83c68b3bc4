#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, in build-fuzz) and runs each for a bounded time from its seed
# corpus. A finding stops the script with the target's report; the crashing input is kept in
# build-fuzz/findings/<target>/.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [target...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
build=$here/build-fuzz
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_rtf fuzz_translation fuzz_classification fuzz_versesscan
                                     fuzz_wordlist fuzz_history)

for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev
    break
  fi
done
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLIBREZI_FUZZ=ON \
    -DLIBREZI_TESTS=OFF
fi
ninja -C "$build" "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
summary=()
for t in "${targets[@]}"; do
  work=$build/corpus/$t
  findings=$build/findings/$t
  mkdir -p "$work" "$findings"
  log=$build/$t.log
  echo "== $t: ${seconds}s"
  # The committed seeds are read, never written: new inputs go to the working corpus.
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
       -artifact_prefix="$findings/" -print_final_stats=1 "$work" "$here/fuzz/corpus/$t" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "FINDING in $t (input kept in $findings)"
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  summary+=("$t: $runs executions, no finding")
done
printf '%s\n' "${summary[@]}"
