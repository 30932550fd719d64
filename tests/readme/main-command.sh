#!/usr/bin/env bash
# Runs the README's main command (scripts/run-sample.sh) in a fresh clone of
# the repository, as a new user would, and checks that it writes the PDF.
# Skipped (exit 77) where the sources are not a git repository.
set -euo pipefail
source_dir="$1"
if ! git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
  echo "not a git repository: $source_dir"
  exit 77
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
git clone --quiet "$source_dir" "$work/zelmio"
cd "$work/zelmio"
# Display variables are what a user's terminal may or may not have; the
# main job must not need them.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM scripts/run-sample.sh
pdf=build/sample-output.pdf
if [ "$(head -c 8 "$pdf")" != "%PDF-1.3" ]; then
  echo "the main command did not write $pdf" >&2
  exit 1
fi
echo "the main command wrote $pdf ($(stat -c %s "$pdf") bytes)"
