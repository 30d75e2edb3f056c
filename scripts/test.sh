#!/usr/bin/env bash
# Builds everything and runs every test, with the PostgreSQL server the
# ODBC tests need started here and stopped afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
"$root/scripts/sample-data.sh"

"$root/scripts/postgres.sh" start
trap '"$root/scripts/postgres.sh" stop' EXIT
export TABLOOM_PG_CONNECT="$(cat "${TABLOOM_PG_ROOT:-/tmp/tabloom-pg}/connect")"

cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
