#!/usr/bin/env bash
# Builds tabellario-demo and writes the demo data of the repository again: the key files and the
# teacher list of demo/program/ (the settings ZREINST.DAT and the help VORINEXMVBS.HLP are kept as
# they are) and the data base demo/db/. Files the generator does not write are removed first, so
# demo/ holds what the generator writes and nothing else; the core tests compare the two. The
# build directory is build/ unless TABELLARIO_BUILD_DIR names another.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TABELLARIO_BUILD_DIR:-$root/build}
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABELLARIO_WERROR=ON >/dev/null
fi
cmake --build "$build" --target tabellario-demo -j"$(nproc)" >/dev/null
demo=$root/demo
find "$demo/program" -mindepth 1 ! -name ZREINST.DAT ! -name VORINEXMVBS.HLP -delete
rm -rf "$demo/db"
exec "$build/tools/tabellario-demo" "$demo"
