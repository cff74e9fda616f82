#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: unit tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer), end-to-end tests on Xvfb with openbox, and the
# benchmarks and the memory soak in a short mode.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc)

scripts/install-deps.sh test

# The test build fetches its promotion page from a server the end-to-end tests run on loopback.
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Release -DTORVANE_TESTS=ON -DTORVANE_BENCH=ON \
  -DTORVANE_PROMO_PAGE_URL=http://127.0.0.1:47831/promo.html >/dev/null
cmake --build build-test -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANE_TESTS=ON \
  -DTORVANE_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs" --target torvane_unit_tests

echo "== unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build-asan -L unit --output-on-failure -j"$jobs"

echo "== benchmarks (short mode)"
build-test/bench/torvane_bench --benchmark_filter=-Program --benchmark_min_time=0.05
echo "== benchmarks of the real program on a 1920 x 1080 display (short mode)"
TORVANE_TEST_SCREEN=1920x1080x24 scripts/with-display.sh \
  build-test/bench/torvane_bench --benchmark_filter=Program --benchmark_min_time=0.05

# A minute per tool when run by hand: scripts/with-display.sh build-test/tests/torvane_soak_tests
echo "== memory soak (short mode)"
TORVANE_SOAK_SECONDS=10 scripts/with-display.sh ctest --test-dir build-test -L soak \
  --output-on-failure

echo "== all tests: unit and end-to-end"
scripts/with-display.sh ctest --test-dir build-test --output-on-failure --timeout 300 -LE soak
