#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the reader (installing what is missing) and starts it on its bundled data.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/build" "$@"
exec "$here/build/librezi"
