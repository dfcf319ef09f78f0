#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test; then builds
# the core tests again with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs them. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/check-format.sh

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/test --parallel "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build/test --output-on-failure --parallel "$jobs"

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTORNEL_CORE_ONLY=ON -DTORNEL_SANITIZE=ON -DTORNEL_BENCH=OFF
cmake --build build/sanitize --parallel "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure --parallel "$jobs"

echo "test.sh: all tests passed"
