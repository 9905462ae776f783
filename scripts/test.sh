#!/usr/bin/env bash
# Installs what is missing, builds and runs every test; then builds the core, its tests and the
# export tool once more with AddressSanitizer and UndefinedBehaviorSanitizer and runs those tests
# (the golden end-to-end cases included), failing on any report; last, runs every fuzz target for
# 30 seconds.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"

cmake -S "$root" -B "$root/build-sanitize" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTABELLARIO_WERROR=ON -DTABELLARIO_SANITIZE=ON -DTABELLARIO_GUI=OFF -DTABELLARIO_BENCH=OFF >/dev/null
cmake --build "$root/build-sanitize" -j"$(nproc)"
ctest --test-dir "$root/build-sanitize" --output-on-failure -j"$(nproc)"

"$root/scripts/fuzz.sh" 30
