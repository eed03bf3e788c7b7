#!/usr/bin/env bash
# Sets everything up and runs every test: the unit and script tests in a
# plain build and again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then the browser tests in headless Chromium against the server on loopback.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="$(nproc)"

scripts/setup.sh build
(cd build && ctest --output-on-failure -j"$jobs")

scripts/setup.sh build-sanitize -DGW_SANITIZE=ON -DGW_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
(cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j"$jobs")

if [ -x tests/web/run.sh ]; then
  tests/web/run.sh "$PWD/build/tests/web/gw_web_test_server"
fi
echo "all tests passed"
