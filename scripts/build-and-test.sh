#!/usr/bin/env bash
# Configures, builds and runs the whole test suite.
#   scripts/build-and-test.sh            plain build in build/release
#   scripts/build-and-test.sh asan       AddressSanitizer + UBSan build in build/asan
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-release}
case "$config" in
  release) flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan) flags=(-DCMAKE_BUILD_TYPE=Debug -DKESTREL_SANITIZE=ON) ;;
  *) echo "usage: $0 [release|asan]" >&2; exit 2 ;;
esac
cmake -S . -B "build/$config" -G Ninja "${flags[@]}"
cmake --build "build/$config"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
ctest --test-dir "build/$config" --output-on-failure -j "$(nproc)"
