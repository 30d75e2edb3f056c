#!/usr/bin/env bash
# Builds the program and starts it on the bundled sample data source.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
"$root/scripts/sample-data.sh"

program="$build/src/tabloom"
memory="${program}_dns.ini"
# The first start remembers the sample data source as the last connection.
if [ ! -f "$memory" ]; then
  printf '[Last connectstring]\r\nDNS=TabloomSample\r\nUsername=\r\nPassword=\r\nConnectstring=DSN=TabloomSample\r\n' >"$memory"
  chmod 600 "$memory"
fi

# Qt wants a private runtime folder and warns when the session gives none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR="${TMPDIR:-/tmp}/tabloom-runtime-$(id -u)"
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
fi

cd "$build"
if [ -n "${DISPLAY:-}" ]; then
  QT_QPA_PLATFORM=xcb exec "$program" "$@"
fi
echo "No display found: starting the program on a virtual one (xvfb-run)."
QT_QPA_PLATFORM=xcb exec xvfb-run -a -s "-screen 0 1280x800x24" "$program" "$@"
