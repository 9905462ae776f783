#!/usr/bin/env bash
# Packs the build with CPack (no second build) into OUT_DIR/tabellario_<version>_<arch>.deb and
# checks the package: its listing (dpkg-deb -c) holds exactly the installed layout below /usr,
# its dependencies come from the shared libraries, and lintian finds no error. The end-to-end
# test takes the package from here.
#   package_test.sh SOURCE_DIR BUILD_DIR OUT_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
out=$3
. "$source_dir/tests/install/layout.sh"

rm -rf "$out"
mkdir -p "$out"
cpack --config "$build_dir/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
  cat "$out/cpack.log"
  exit 1
}
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build_dir/CPackConfig.cmake")
deb=$out/tabellario_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || { echo "Kein Paket $deb"; ls "$out"; exit 1; }

actual=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./||' | LC_ALL=C sort)
expected=$(expected_layout "$source_dir" usr)
if [[ $actual != "$expected" ]]; then
  echo "Der Inhalt des Pakets weicht ab (- erwartet, + im Paket):"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6; do
  [[ $depends == *"$library "* ]] || { echo "Depends ohne $library: $depends"; exit 1; }
done
[[ $(dpkg-deb -f "$deb" Package) == tabellario ]]
if command -v lintian >/dev/null; then
  status=0
  report=$(lintian --fail-on error "$deb" 2>&1) || status=$?
  # Root is told that lintian is better not run as root; that line says nothing of the package.
  grep -v "running with root privileges" <<<"$report" || true
  ((status == 0)) || { echo "lintian meldet Fehler"; exit 1; }
else
  echo "lintian fehlt (scripts/install-deps.sh installiert es)"
  exit 1
fi
echo "Paket $deb: $(echo "$actual" | wc -l) Dateien, Depends: $depends"
