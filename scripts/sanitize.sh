#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the program and every test with AddressSanitizer and UndefinedBehaviorSanitizer (in
# build-asan) and runs the tests; any sanitizer report fails the run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build-asan}
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
"$here/scripts/setup.sh" "$build" -DLIBREZI_SANITIZE=ON -DLIBREZI_WERROR=$werror -DCMAKE_BUILD_TYPE=RelWithDebInfo
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
