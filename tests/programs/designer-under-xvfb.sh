#!/usr/bin/env bash
# The designer mode on a virtual display, driven with real key presses and
# mouse clicks: the window opens with its caption and menus on a new
# template, the report wizard opens over it (Escape leaves a blank
# template), Insert > Label and a click put a label on the report (its
# property dialog opens; Enter accepts it), typing
# replaces its caption, Ctrl+S asks for a file name and saves, and the saved
# template holds the label with that caption. Ctrl+Q then ends the program
# with exit code 0. Skipped (77) when xvfb-run or xdotool is missing.
# Usage: designer-under-xvfb.sh ZELMIO_EXE ZELMIO_TOOL_EXE SOURCE_DIR
set -uo pipefail
exe=$1
tool=$2
src=$3
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run or xdotool is not installed: skipped"
  exit 77
fi
if [ -z "${ZELMIO_IN_XVFB:-}" ]; then
  ZELMIO_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
saved="$work/cenas.vx2"
fail() {
  echo "$1"; cat "$work/log"; kill "$pid" 2>/dev/null; exit 1
}
# The first window whose name matches, waited for up to about five seconds
# (empty when none came).
wait_for_window() {
  local found
  for _ in $(seq 1 250); do
    found=$(xdotool search --name "$1" 2>/dev/null | head -1)
    [ -n "$found" ] && { echo "$found"; return; }
    sleep 0.02
  done
}
# Waits up to five seconds for the windows of that name to be gone; false
# when one is still there.
wait_until_closed() {
  for _ in $(seq 1 100); do
    xdotool search --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  return 1
}
# HOME in the scratch folder: the file dialog and the settings start clean.
HOME="$work" "$exe" - - "-$src/samples/price-tags.xml" >"$work/log" 2>&1 &
pid=$!
window=$(wait_for_window '^Report Designer - Untitled')
[ -n "$window" ] || fail "no designer window appeared"
echo "window \"$(xdotool getwindowname "$window")\""
wizard=$(wait_for_window '^New report definition$')
[ -n "$wizard" ] || fail "the report wizard did not open"
echo "wizard \"$(xdotool getwindowname "$wizard")\""
sleep 0.5
xdotool windowfocus --sync "$wizard"
xdotool key Escape
wait_until_closed '^New report definition$' || fail "Escape did not close the wizard"
sleep 0.3
xdotool windowfocus --sync "$window"
# Insert > Label through the menu's mnemonics, then a click on the report.
xdotool key alt+i
sleep 0.3
xdotool key l
sleep 0.2
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
# The new label's property dialog opens; Enter keeps it as it is.
dialog=$(wait_for_window '^Label$')
[ -n "$dialog" ] || fail "the new label's property dialog did not open"
sleep 0.3
xdotool windowfocus --sync "$dialog"
xdotool key Return
wait_until_closed '^Label$' || true
sleep 0.3
xdotool windowfocus --sync "$window"
xdotool type --delay 20 'Cena EUR'
xdotool key Return
sleep 0.2
xdotool key ctrl+s
dialog=$(wait_for_window '^Save report$')
[ -n "$dialog" ] || fail "Ctrl+S opened no save dialog"
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool type --delay 10 "$saved"
xdotool key Return
for _ in $(seq 1 100); do
  [ -f "$saved" ] && break
  sleep 0.05
done
[ -f "$saved" ] || fail "the template was not saved"
listing=$("$tool" check-template "$saved") || fail "check-template refused the saved template"
echo "$listing"
grep -q "(TTesmolaLabel) .*Caption 'Cena EUR'" <<<"$listing" || fail "the saved template lacks the label"
for _ in $(seq 1 50); do
  [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$saved" ] && break
  sleep 0.05
done
[ "$(xdotool getwindowname "$window")" = "$saved" ] || fail "the caption does not show the saved file"
xdotool windowfocus --sync "$window"
xdotool key ctrl+q
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not close the designer"
wait "$pid"
code=$?
echo "exit code $code"
[ "$code" -eq 0 ] || { cat "$work/log"; exit 1; }
