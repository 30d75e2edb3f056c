#!/usr/bin/env bash
# Renders every window of the program to build/screens/*.png.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
"$build/render_windows" "$build/screens"
