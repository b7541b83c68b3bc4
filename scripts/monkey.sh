#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long monkey run: a seeded random session of reader actions on the real window.
# Usage: scripts/monkey.sh [actions, default 20000] [seed]   (uses the build in build/)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$here/build}
ninja -C "$build" test_monkey librezi_data
export QT_QPA_PLATFORM=offscreen
export LIBREZI_MONKEY_ACTIONS=${1:-20000}
# A long session outlasts QtTest's five-minute watchdog for one test function.
export QTEST_FUNCTION_TIMEOUT=${QTEST_FUNCTION_TIMEOUT:-7200000}
[ -n "${2:-}" ] && export LIBREZI_MONKEY_SEED=$2
export LIBREZI_FACTS=$here/resources/facts LIBREZI_SHARED=$here/../shared LIBREZI_BUILD=$build
"$build/tests/gui/test_monkey" -maxwarnings 0
