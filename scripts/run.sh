#!/usr/bin/env bash
# Installs what is missing, builds, and opens the Tabellario window on the demo program
# directory (build/bin: key files, help, settings and the demo data base).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" >/dev/null
program="$root/build/bin/tabellario"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  cat >&2 <<MESSAGE
Keine grafische Anzeige gefunden (DISPLAY und WAYLAND_DISPLAY sind leer): das Fenster von
Tabellario kann hier nicht geöffnet werden. Starten Sie es auf einem Desktop mit
  $program
oder mit einem virtuellen X-Server:
  xvfb-run -a $program

No graphical display found (DISPLAY and WAYLAND_DISPLAY are empty): the Tabellario window
cannot be opened here. Start it on a desktop with
  $program
or with a virtual X server:
  xvfb-run -a $program
MESSAGE
  exit 1
fi

exec "$program" "$@"
