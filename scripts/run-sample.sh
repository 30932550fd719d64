#!/usr/bin/env bash
# The main job on the bundled samples: template + data packet to a PDF file,
# for the price tags (build/sample-output.pdf) and the invoice
# (build/sample-invoice.pdf).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
status=0
run() {
  local sample="$1" out="$2" code=0
  rm -f "$out"
  # Every argument's first character is dropped by the program, as hosts pass them.
  build/app/zelmio "-samples/$sample.vx2" "-$out" "-samples/$sample.xml" || code=$?
  if [ "$code" -eq 0 ] && [ -s "$out" ]; then
    echo "Written: $out"
  else
    echo "zelmio ended with exit code $code on samples/$sample.vx2" >&2
    [ "$status" -ne 0 ] || status=$code
    [ "$status" -ne 0 ] || status=1
  fi
}
run price-tags build/sample-output.pdf
run invoice build/sample-invoice.pdf
exit "$status"
