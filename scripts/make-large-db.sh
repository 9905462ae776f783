#!/usr/bin/env bash
# Builds tabellario-largedb and writes a large synthetic statistics data base into FOLDER:
# FOLDER/program (key files, teacher list, settings naming the big school and FOLDER/db) and
# FOLDER/db (5,000 Dienststellen, a big school with 2,000 classes and 20,000 teachers, list files
# of 100,000 lines). Options after FOLDER go to the tool: --schools N --classes N --teachers N
# --lines N --key-lines N --groups N --usual-schools N --misfit-every N. The build directory is build/ unless TABELLARIO_BUILD_DIR
# names another.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if (($# < 1)) || [[ $1 == -* ]]; then
  echo "Aufruf: scripts/make-large-db.sh ORDNER [--schools N] [--classes N] [--teachers N]" >&2
  echo "                                 [--lines N] [--key-lines N] [--groups N]" >&2
  echo "                                 [--usual-schools N] [--misfit-every N]" >&2
  exit 2
fi
folder=$1
shift
build=${TABELLARIO_BUILD_DIR:-$root/build}
if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTABELLARIO_WERROR=ON >/dev/null
fi
cmake --build "$build" --target tabellario-largedb -j"$(nproc)" >/dev/null
exec "$build/tools/tabellario-largedb" "$@" "$folder"
