#!/usr/bin/env bash
# Renders every window of the program to build/screens/*.png; the shaped
# windows (shape-*.png, position-window.png, steps-overview.png,
# configure-shaped.png) on a virtual X server, where their masks are applied.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
"$build/render_windows" "$build/screens"
if command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1024x768x24" "$build/render_windows" --shapes "$build/screens"
else
  echo "xvfb-run is missing: no pictures of the shaped windows" >&2
fi
