#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang in build-fuzz/ and runs each of them for a
# number of seconds (the first argument, else FUZZ_SECONDS, else 30) on a copy of its seed corpus
# fuzz/corpus/<target>/, so that the repository's corpus stays as it is. Fails when a target
# crashes, leaks, times out or a sanitizer reports; log, corpus and crashing inputs of every
# target stay in build-fuzz/fuzz-runs/<target>/. FUZZ_SECONDS=600 scripts/fuzz.sh runs longer.
#
# FUZZ_SANITIZERS=undefined runs the targets without AddressSanitizer (built in
# build-fuzz-undefined/), about twice as many runs per second, and replays each target's grown
# corpus with the usual build afterwards, so that every input kept is also run under
# AddressSanitizer (an input that only AddressSanitizer would notice and that reaches nothing new
# is missed: the price of the speed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-${FUZZ_SECONDS:-30}}
sanitizers=${FUZZ_SANITIZERS:-address,undefined}
build="$root/build-fuzz"
run_build=$build
[[ $sanitizers != address,undefined ]] && run_build="$root/build-fuzz-${sanitizers//,/-}"

configure() {
  CC=clang CXX=clang++ cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTABELLARIO_WERROR=ON -DTABELLARIO_FUZZ=ON -DTABELLARIO_FUZZ_SANITIZERS="$2" \
    -DTABELLARIO_GUI=OFF -DTABELLARIO_TESTS=OFF -DTABELLARIO_BENCH=OFF >/dev/null
  cmake --build "$1" --target tabellario_fuzz -j"$(nproc)"
}
configure "$build" address,undefined
[[ $run_build != "$build" ]] && configure "$run_build" "$sanitizers"

# The longest input each target is given: a few lines more than a data or key file needs to
# reach every branch, a settings record with room for wrong sizes, a number with some spaces.
# Lines, key files and tables: 1024 bytes hold a record of the widest table and dozens of short
# lines, at twice the runs per second of 4096. Cut to 1024 bytes, the long runs' corpora reach
# every branch the uncut ones reach but five that need more lines than that (a report of a
# thousand unplaced records, the growth of the store of field ends, the grid's limit for rows
# written anew, which the grid's tests reach).
declare -A max_len=(
  [fuzz_lines]=1024 [fuzz_number]=64 [fuzz_definition]=2048
  [fuzz_key_files]=1024 [fuzz_settings]=1500 [fuzz_tables]=1024
)
targets=(fuzz_lines fuzz_number fuzz_definition fuzz_key_files fuzz_settings fuzz_tables)

runs="$run_build/fuzz-runs"
rm -rf "$runs"
# The targets' scratch files (the settings are written with fsync) go to memory where possible.
scratch_base=/tmp
[[ -d /dev/shm && -w /dev/shm ]] && scratch_base=/dev/shm
scratch=$(mktemp -d "$scratch_base/tabellario-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
failed=()
for target in "${targets[@]}"; do
  work="$runs/$target"
  mkdir -p "$work/corpus" "$scratch/$target"
  cp "$root/fuzz/corpus/$target/"* "$work/corpus/"
  echo "Fuzz-Lauf $target: ${seconds} s ..."
  status=0
  (cd "$work" && TMPDIR="$scratch/$target" "$run_build/fuzz/$target" corpus \
    -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$work/" -print_final_stats=1 >"$work/log" 2>&1) || status=$?
  if ((status == 0)) && [[ $run_build != "$build" ]]; then
    # Every input the run kept, once more with AddressSanitizer.
    (cd "$work" && TMPDIR="$scratch/$target" "$build/fuzz/$target" corpus -runs=0 \
      -max_len="${max_len[$target]}" -timeout=20 -rss_limit_mb=2048 -artifact_prefix="$work/" \
      >>"$work/log" 2>&1) || status=$?
  fi
  if ((status != 0)) || grep -qE "runtime error|ERROR: (Address|Leak|Undefined)" "$work/log"; then
    failed+=("$target")
    echo "FEHLER: $target (Exit-Code $status), Protokoll: $work/log"
    grep -E "fuzz check failed|^\*\*\*|ERROR|SUMMARY|runtime error|Test unit written" "$work/log" |
      head -n 20 || true
  else
    grep -m 1 -E "DONE" "$work/log"
  fi
done

if ((${#failed[@]} > 0)); then
  echo "Fuzz-Läufe mit Befund: ${failed[*]}"
  exit 1
fi
echo "Fuzz-Läufe ohne Befund: ${targets[*]}"
