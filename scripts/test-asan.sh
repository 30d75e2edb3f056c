#!/usr/bin/env bash
# Builds every test program with AddressSanitizer (leak checks on) and
# UndefinedBehaviorSanitizer (any finding fails the test) into build-asan/ and
# runs them, with the PostgreSQL and MariaDB servers started as for
# scripts/test.sh; the fibers' stack switches are annotated, so the sanitizer
# follows them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-asan"
"$root/scripts/install-deps.sh"
# Configured every time, so a folder made before a sanitizer was added gets it.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTABLOOM_ASAN=ON -DTABLOOM_UBSAN=ON >/dev/null
cmake --build "$build" --target all_tests -- -j"$(nproc)" --quiet
. "$root/scripts/test-servers.sh"
. "$root/scripts/test-user.sh"
cd "$build"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp"
export UBSAN_OPTIONS=print_stacktrace=1
ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j"$(nproc)" --timeout 600 -E '^SampleData\.'
# The SQLite ODBC driver leaks a few strings when it connects by data source
# name, as only these cases do (their whole program's entry, app_tests.Shuffled,
# turns the leak checks off itself); they still run for memory errors.
ASAN_OPTIONS=detect_leaks=0 ctest --output-on-failure -j"$(nproc)" --timeout 600 -R '^SampleData\.'
