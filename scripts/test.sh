#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the reader and its tests (installing what is missing) and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON
"$here/scripts/setup.sh" "$here/build" -DLIBREZI_WERROR=$werror "$@"
cd "$here/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
