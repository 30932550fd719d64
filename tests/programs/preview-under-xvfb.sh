#!/usr/bin/env bash
# The preview mode on a virtual display: the window opens with its caption
# soon after the start (well within a second on an idle machine; the limit
# leaves room for a busy test machine), the price tags' barcodes are read by
# zbarimg from the zoomed window, Escape closes it and the program ends with
# exit code 0. Skipped (77) when xvfb-run or xdotool is missing.
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
# Zoomed in, the bars stay sharp enough for a scanner: every code read from
# the window is one of the sample's EAN-13 values.
if command -v xwd >/dev/null && command -v zbarimg >/dev/null; then
  for _ in 1 2 3 4 5 6; do xdotool key --window "$window" plus 2>/dev/null; sleep 0.2; done
  sleep 0.5
  shot=$(mktemp --suffix=.xwd)
  xwd -id "$window" -silent >"$shot" 2>/dev/null
  codes=$(zbarimg -q --raw "$shot" 2>/dev/null)
  rm -f "$shot"
  count=$(printf '%s\n' "$codes" | grep -c '^[0-9]\{13\}$')
  if [ "$count" -lt 2 ]; then
    echo "zbarimg read $count barcodes from the zoomed preview: $codes"; kill "$pid"; exit 1
  fi
  for code in $codes; do
    grep -q " EAN=\"$code\"" "$src/samples/price-tags.xml" || { echo "read $code, which is no sample EAN"; kill "$pid"; exit 1; }
  done
  echo "barcodes read from the zoomed preview: $count"
else
  echo "xwd or zbarimg is not installed: barcode check skipped"
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
