#!/usr/bin/env bash
# Configures and builds one configuration.
#   scripts/build.sh            plain build in build/release
#   scripts/build.sh asan       AddressSanitizer + UBSan build in build/asan
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
