#!/usr/bin/env bash
# Builds everything and runs every test, with the PostgreSQL and MariaDB
# servers the ODBC tests need started here and stopped afterwards.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
"$root/scripts/sample-data.sh"

. "$root/scripts/test-servers.sh"
. "$root/scripts/test-user.sh"

cd "$build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 300
