#!/usr/bin/env bash
# The main job on the bundled sample: template + data packet to a PDF file.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
out=build/sample-output.pdf
rm -f "$out"
# Every argument's first character is dropped by the program, as hosts pass them.
status=0
build/app/zelmio "-samples/price-tags.vx2" "-$out" "-samples/price-tags.xml" || status=$?
if [ "$status" -eq 0 ] && [ -s "$out" ]; then
  echo "Written: $out"
else
  echo "zelmio ended with exit code $status" >&2
fi
exit "$status"
