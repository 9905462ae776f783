#!/usr/bin/env bash
# Installs the build into a staging folder (DESTDIR) below /usr and checks the layout: exactly
# the expected files, a valid desktop entry and metainfo, clean manual pages, and programs that
# answer --version from there.
#   install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$1
build_dir=$2
. "$source_dir/tests/install/layout.sh"

stage=$(mktemp -d /tmp/tabellario-stage.XXXXXX)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build_dir" --prefix /usr >/dev/null

actual=$(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
expected=$(expected_layout "$source_dir" usr)
if [[ $actual != "$expected" ]]; then
  echo "Die installierten Dateien weichen ab (- erwartet, + installiert):"
  diff <(echo "$expected") <(echo "$actual") || true
  exit 1
fi
# The empty Dienststelle 00000 of the demo data base is a folder of its own.
[[ -d $stage/usr/share/tabellario/Demo-Datenbank/00000 ]]
check_desktop_files "$stage/usr"
for program in tabellario tabellario-export tabellario-check; do
  [[ -x $stage/usr/bin/$program ]]
  version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$stage/usr/bin/$program" --version)
  [[ $version == "$program "[0-9]* ]] || { echo "$program --version: $version"; exit 1; }
done
echo "Installation in $stage: $(echo "$actual" | wc -l) Dateien wie erwartet"
