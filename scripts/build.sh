#!/usr/bin/env bash
# Configures and builds Tabellario in build/ (warnings are errors).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABELLARIO_WERROR=ON >/dev/null
cmake --build "$root/build" -j"$(nproc)"
