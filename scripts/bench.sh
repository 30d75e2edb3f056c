#!/usr/bin/env bash
# Builds and runs the benchmarks.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/build.sh"
for bench in "$build"/bench/bench_*; do
  echo "== $(basename "$bench")"
  "$bench"
done
