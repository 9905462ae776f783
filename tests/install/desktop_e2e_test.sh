#!/usr/bin/env bash
# The package on a real X server, as a new user meets it: the package (made by package_test.sh)
# is unpacked into a temporary root, its tabellario is started as an ordinary user with an empty
# home folder under Xvfb with openbox, and driven by keys (xdotool):
#   - the window comes up with its caption;
#   - the user's program directory is seeded from the package's share/tabellario;
#   - every sheet and every table page is shown, and no error or warning box appears (the
#     definition file of every table is written to the user's folder on the way);
#   - the package's share/tabellario is byte for byte as it was;
#   - Alt+F4 asks whether to end the program; No keeps the window, Yes ends it with status 0,
#     and the window's place has been kept.
# Where no X server can be started the test is skipped (exit 77) with a line that says so.
#   desktop_e2e_test.sh PACKAGE_DIR
set -euo pipefail
package_dir=$1
started=$SECONDS

readonly caption="Tabellario   Mecklenburg-Vorpommern   V.1.8. (2009)  Berufsschule"
readonly question=$'Bestätigen\n\nWollen Sie den Tabellario\nMecklenburg-Vorpommern - Berufsschule\njetzt wirklich BEENDEN?'
# The walk through the window, one step a line: the keys, then the definition files the page that
# comes into view writes at its first showing ("-" for a step that only moves the focus). The
# school selector has the focus at the start; Tab goes on to the sheets' tab bar, Tab from there
# to the table pages of the sheet, Shift+Tab back. Every table page of every sheet comes by.
readonly walk=(
  "Tab -" "Tab -" "Right Bog0Tab1.TBD" "Right Bog0Tab2.TBD" "shift+Tab -"
  "Right Bog1Tab0.TBD" "Tab -" "Right Bog1Tab1.TBD" "Right Bog1Tab2.TBD" "Right Bog1Tab3.TBD"
  "Right Bog1Tab4.TBD" "shift+Tab -"
  "Right Bog2Ident.TBD Bog2Tab0.TBD" "Tab -" "Right Bog2Tab1.TBD" "Right Bog2Tab2.TBD"
  "Right Bog2Tab3.TBD" "shift+Tab -"
  "Right Bog3Tab0.TBD" "Tab -" "Right Bog3Tab1.TBD" "Right Bog3Tab2.TBD" "Right Bog3Tab3.TBD"
  "Right Bog3Tab4.TBD" "Right Bog3Tab10.TBD" "Right Bog3Tab5.TBD" "Right Bog3Tab6.TBD"
  "Right Bog3Tab7.TBD" "Right Bog3Tab8.TBD" "Right Bog3Tab9.TBD"
)

work=$(mktemp -d /tmp/tabellario-e2e.XXXXXX)
chmod 755 "$work"
xvfb_pid=
wm_pid=
app_pid=

cleanup() {
  set +e
  local pid
  for pid in "$app_pid" "$wm_pid" "$xvfb_pid"; do
    [[ -n $pid ]] || continue
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# Running and not yet a zombie (a child that ended stays one until it is waited for).
running() {
  [[ -r /proc/$1/stat ]] && [[ $(cut -d ' ' -f 3 "/proc/$1/stat") != Z ]]
}

fail() {
  echo "FEHLER: $*"
  if [[ -s $work/app.log ]]; then
    echo "--- Ausgabe von tabellario:"
    cat "$work/app.log"
  fi
  exit 1
}

for tool in Xvfb openbox xdotool xclip xprop dpkg-deb; do
  command -v "$tool" >/dev/null || fail "$tool fehlt (scripts/install-deps.sh installiert es)"
done
debs=("$package_dir"/tabellario_*.deb)
[[ -f ${debs[0]} ]] || fail "kein Paket in $package_dir (package_test.sh macht es)"

# ---- the package, unpacked ----------------------------------------------------------------------
root=$work/root
dpkg-deb -x "${debs[0]}" "$root"
shared=$root/usr/share/tabellario
fingerprint() {
  (cd "$shared" && find . -printf '%y %m %s %p\n' | LC_ALL=C sort &&
    find . -type f -exec sha256sum {} + | LC_ALL=C sort -k 2)
}
fingerprint >"$work/shared.before"

# ---- an X server with a window manager -----------------------------------------------------------
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [[ -s $work/display ]] && break
  kill -0 "$xvfb_pid" 2>/dev/null || break
  sleep 0.1
done
if [[ ! -s $work/display ]]; then
  echo "ÜBERSPRUNGEN: es lässt sich kein X-Server starten (Xvfb): $(tail -n 3 "$work/xvfb.log")"
  exit 77
fi
DISPLAY=:$(head -n 1 "$work/display")
export DISPLAY
mkdir -p "$work/wm"
HOME=$work/wm XDG_CACHE_HOME=$work/wm XDG_CONFIG_HOME=$work/wm openbox >"$work/wm.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || fail "openbox startet nicht"
xdotool mousemove 0 0  # no hint under the pointer

# ---- tabellario as an ordinary user with an empty home folder ------------------------------------
home=$work/home
runtime=$work/runtime
mkdir -p "$home" "$runtime"
chmod 700 "$runtime"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
  # CI runs as root: the program runs as "nobody", who may write nothing but its home.
  command -v setpriv >/dev/null || fail "setpriv fehlt (util-linux)"
  chown 65534:65534 "$home" "$runtime"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
"${as_user[@]}" env -i HOME="$home" XDG_RUNTIME_DIR="$runtime" DISPLAY="$DISPLAY" \
  PATH=/usr/bin:/bin LANG=C.UTF-8 "$root/usr/bin/tabellario" >"$work/app.log" 2>&1 &
app_pid=$!

window=
for _ in $(seq 200); do
  window=$(xdotool search --all --onlyvisible --pid "$app_pid" --name "^Tabellario   " 2>/dev/null |
    head -n 1) || true
  [[ -n $window ]] && break
  running "$app_pid" || fail "tabellario endete beim Start"
  sleep 0.1
done
[[ -n $window ]] || fail "kein Fenster von tabellario"
[[ $(xdotool getwindowname "$window") == "$caption" ]] ||
  fail "Fenstertitel: $(xdotool getwindowname "$window")"
if [[ $(id -u) -eq 0 ]]; then
  [[ $(stat -c %u "/proc/$app_pid") == 65534 ]] || fail "tabellario läuft nicht als nobody"
fi

program_dir=$home/.local/share/tabellario
for file in ZREINST.DAT SSSA.SSD SLAND.SSD LEHRER.CSV VORINEXMVBS.HLP \
  Demo-Datenbank/13001/SCHULE/1300101.CSV Demo-Datenbank/13002/SCHNELL/1300200.CSV; do
  [[ -f $program_dir/$file ]] || fail "nicht eingerichtet: $program_dir/$file"
done
cmp -s "$shared/SSSA.SSD" "$program_dir/SSSA.SSD" || fail "SSSA.SSD weicht vom Paket ab"

# ---- boxes ---------------------------------------------------------------------------------------
# The text of the box (its caption, a blank line, its message), copied with Ctrl+C. The clipboard
# is emptied first: an xclip holding nothing until the box takes the clipboard over.
box_text() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true
  xclip -quiet -selection clipboard -i /dev/null >/dev/null 2>&1 &
  local holder=$!
  sleep 0.2
  xdotool key --clearmodifiers ctrl+c
  sleep 0.3
  kill "$holder" 2>/dev/null || true
  wait "$holder" 2>/dev/null || true
  xclip -o -selection clipboard 2>/dev/null || true
}

# Every window of the program but the main window is a box. Information boxes are the demo
# data base's odd records, told as they should be: each is noted and closed. An error or warning
# box, or any other window, fails the test.
informations=0
expect_no_error_box() {
  local id title text found
  for _ in $(seq 20); do
    found=
    for id in $(xdotool search --all --onlyvisible --pid "$app_pid" --name "" 2>/dev/null); do
      [[ $id == "$window" ]] && continue
      title=$(xdotool getwindowname "$id" 2>/dev/null) || continue
      [[ -z $title ]] && continue
      found=$id
      break
    done
    [[ -z $found ]] && return 0
    text=$(box_text "$found")
    case $title in
      Information | Hinweis)
        informations=$((informations + 1))
        echo "  $1: $title: ${text//$'\n'/ | }" >>"$work/informations"
        xdotool key Return
        sleep 0.3
        ;;
      *) fail "$1: Fenster \"$title\": $text" ;;
    esac
  done
  fail "$1: die Meldungen hören nicht auf"
}

# ---- every sheet and table page by keyboard -----------------------------------------------------
# A step waits until its page has written its definition files (the program may be slow on a
# busy machine), then a moment for a box to come up.
shown=(Bog0Tab0.TBD)
xdotool windowactivate --sync "$window"
sleep 0.5
expect_no_error_box "nach dem Start"
for step in "${walk[@]}"; do
  read -r key files <<<"$step"
  expect_no_error_box "vor $step"
  xdotool key "$key"
  [[ $files == - ]] && continue
  for _ in $(seq 150); do
    missing=0
    for file in $files; do
      [[ -f $program_dir/$file ]] || missing=1
    done
    ((missing == 0)) && break
    expect_no_error_box "$step"
    sleep 0.1
  done
  ((missing == 0)) || fail "nach $key kommt die Seite mit $files nicht"
  sleep 0.4
  expect_no_error_box "$files"
  read -r -a written <<<"$files"
  shown+=("${written[@]}")
done
((${#shown[@]} == 24)) || fail "gezeigt: ${shown[*]}"

fingerprint >"$work/shared.after"
diff "$work/shared.before" "$work/shared.after" >"$work/shared.diff" ||
  fail "share/tabellario des Pakets wurde verändert: $(cat "$work/shared.diff")"

# ---- closing: the question, answered No, then Yes ------------------------------------------------
ask_to_close() {
  xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
  xdotool key alt+F4
  local box=
  for _ in $(seq 50); do
    box=$(xdotool search --all --onlyvisible --pid "$app_pid" --name "^Bestätigen$" 2>/dev/null |
      head -n 1) || true
    [[ -n $box ]] && break
    sleep 0.1
  done
  [[ -n $box ]] || fail "Alt+F4 fragt nicht nach"
  local text
  text=$(box_text "$box")
  [[ $text == "$question" ]] || fail "die Frage beim Schließen lautet: $text"
}

ask_to_close
xdotool key Escape  # No
sleep 0.5
running "$app_pid" || fail "Nein hat das Programm beendet"
[[ -n $(xdotool search --all --onlyvisible --pid "$app_pid" --name "^Tabellario   ") ]] ||
  fail "nach Nein ist das Fenster fort"

ask_to_close
xdotool key Return  # Yes, the default button
status=
for _ in $(seq 100); do
  if ! running "$app_pid"; then
    status=0
    wait "$app_pid" || status=$?
    break
  fi
  sleep 0.1
done
[[ -n $status ]] || fail "Ja hat das Programm nicht beendet"
app_pid=
((status == 0)) || fail "tabellario endete mit Status $status"
grep -q '^Position=' "$home/.config/tabellario/tabellario.conf" ||
  fail "Lage und Größe des Fensters wurden nicht behalten"

echo "Ende-zu-Ende-Test bestanden in $((SECONDS - started)) s:" \
  "${#shown[@]} Tabellen gezeigt, $informations Informationen der Demo-Daten," \
  "Programmverzeichnis $program_dir eingerichtet"
[[ -s $work/informations ]] && cat "$work/informations"
exit 0
