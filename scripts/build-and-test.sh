#!/usr/bin/env bash
# Builds one configuration and runs the whole test suite in it.
#   scripts/build-and-test.sh            plain build in build/release
#   scripts/build-and-test.sh asan       AddressSanitizer + UBSan build in build/asan
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-release}
scripts/build.sh "$config"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
ctest --test-dir "build/$config" --output-on-failure -j "$(nproc)"
