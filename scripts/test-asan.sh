#!/usr/bin/env bash
# Builds the platform and application tests with AddressSanitizer (leak
# checks on) into build-asan/ and runs them; the fibers' stack switches are
# annotated, so the sanitizer follows them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
"$root/scripts/install-deps.sh"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABLOOM_ASAN=ON >/dev/null
cmake --build "$build" --target platform_tests app_tests -- -j"$(nproc)" --quiet
cd "$build"
ASAN_OPTIONS=detect_leaks=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
