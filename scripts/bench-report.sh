#!/usr/bin/env bash
# Builds every benchmark in build-bench/ (Release; the window's benchmark only where Qt 6 is
# installed), runs each of them with JSON output and prints one table: figure, target, floor and
# ratio per benchmark, missed targets marked "VERFEHLT". Targets and floors: bench/targets.tsv.
# Every benchmark runs three times (BENCH_REPETITIONS) and counts with its shortest time, as
# does its floor: the machine's other work only ever adds time. Arguments are passed to every
# benchmark executable (e.g. --benchmark_filter=Show).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TABELLARIO_BENCH_BUILD:-$root/build-bench}
out=$build/bench-json

"$root/scripts/install-deps.sh"
gui=OFF
if dpkg-query -W -f='${Status}' qt6-base-dev 2>/dev/null | grep -q "install ok installed"; then
  gui=ON
fi
# Warnings are not errors here: GCC 12 at -O3 warns falsely about some string concatenations
# (-Wrestrict); the test build (-O2) keeps treating warnings as errors.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DTABELLARIO_WERROR=OFF \
  -DTABELLARIO_TESTS=OFF -DTABELLARIO_BENCH=ON -DTABELLARIO_GUI=$gui >/dev/null
if ! cmake --build "$build" -j"$(nproc)" >"$build/build.log" 2>&1; then
  tail -n 30 "$build/build.log" >&2
  echo "Der Bau der Benchmarks ist fehlgeschlagen (ganzes Protokoll: $build/build.log)." >&2
  exit 1
fi

rm -rf "$out"
mkdir -p "$out"
for program in "$build"/bench/*_bench; do
  name=$(basename "$program")
  echo "Messe $name ..." >&2
  # A benchmark that fails still leaves its other figures; the table shows what is missing.
  if ! "$program" --benchmark_out="$out/$name.json" --benchmark_out_format=json \
    --benchmark_repetitions="${BENCH_REPETITIONS:-3}" "$@" \
    >"$out/$name.log" 2>&1; then
    echo "$name endete mit einem Fehler (Ausgabe: $out/$name.log)" >&2
  fi
done
"$build/tools/tabellario-benchreport" "$root/bench/targets.tsv" "$out"/*.json
