#!/usr/bin/env bash
# Installs what is missing, builds, and shows the demo data base: its schools and classes and the
# quick-report tables of the demo Dienststelle, through tabellario-export.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null
export_tool="$root/build/bin/tabellario-export"
summary=$("$export_tool" 0 0)
echo "Dienststellen: $(grep -o '"schools":\[[^]]*\]' <<<"$summary" | cut -d: -f2)"
echo "Klassen:       $(grep -o '"classes":\[[^]]*\]' <<<"$summary" | cut -d: -f2)"
echo
for table in 0 1 2; do
  echo "== Schnellmeldung, Tabelle $table =="
  "$export_tool" --format csv 0 "$table"
  echo
done
