#!/bin/bash
# Runs a command on a virtual X display of its own. Xvfb picks a free display
# number itself (-displayfd), so runs started at the same time never share one
# (xvfb-run -a can hand two of them the same number, and the first to finish
# takes the display away from the other).
set -euo pipefail

numberFile=$(mktemp)
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -f "$numberFile"' EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" 2>/dev/null &
server=$!
for _ in $(seq 1 100); do
  [ -s "$numberFile" ] && break
  kill -0 "$server" 2>/dev/null || { echo "Xvfb did not start" >&2; exit 1; }
  sleep 0.05
done
[ -s "$numberFile" ] || { echo "Xvfb gave no display number" >&2; exit 1; }
DISPLAY=":$(head -n1 "$numberFile")" "$@"
