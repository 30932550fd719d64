#!/usr/bin/env bash
# The preview mode on a virtual display: the window opens with its caption
# soon after the start (well within a second on an idle machine; the limit
# leaves room for a busy test machine), Escape closes it and the program ends
# with exit code 0. Skipped (77) when xvfb-run or xdotool is missing.
# Usage: preview-under-xvfb.sh ZELMIO_EXE SOURCE_DIR
set -uo pipefail
exe=$1
src=$2
if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
  echo "xvfb-run or xdotool is not installed: skipped"
  exit 77
fi
if [ -z "${ZELMIO_IN_XVFB:-}" ]; then
  ZELMIO_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi
unset QT_QPA_PLATFORM
log=$(mktemp)
trap 'rm -f "$log"' EXIT
start=$(date +%s%N)
"$exe" "-$src/samples/price-tags.vx2" - "-$src/samples/price-tags.xml" >"$log" 2>&1 &
pid=$!
window=
for _ in $(seq 1 500); do
  window=$(xdotool search --name '^Report Preview : ' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.02
done
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
if [ -z "$window" ]; then
  echo "no preview window appeared"; cat "$log"; kill "$pid" 2>/dev/null; exit 1
fi
echo "window \"$(xdotool getwindowname "$window")\" after ${elapsed} ms"
if [ "$elapsed" -gt 5000 ]; then
  echo "the window took longer than five seconds"; kill "$pid"; exit 1
fi
# The program keeps running while the window is open.
sleep 0.5
if ! kill -0 "$pid" 2>/dev/null; then
  echo "the program ended while its window was open"; cat "$log"; exit 1
fi
xdotool key --window "$window" Escape 2>/dev/null
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.05
done
if kill -0 "$pid" 2>/dev/null; then
  echo "Escape did not close the preview"; kill "$pid"; exit 1
fi
wait "$pid"
code=$?
echo "exit code $code"
[ "$code" -eq 0 ] || { cat "$log"; exit 1; }
