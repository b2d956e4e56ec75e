#!/usr/bin/env bash
# Configures and builds one configuration: release (default), asan or fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-release}
jobs=${TB_JOBS:-$(nproc)}
case "$config" in
  release) args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  asan)    args=(-DCMAKE_BUILD_TYPE=Debug -DTB_SANITIZE=ON -DTB_BENCH=OFF) ;;
  fuzz)    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTB_FUZZ=ON
                 -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown configuration: $config" >&2; exit 2 ;;
esac
# A compiler cache makes rebuilds of unchanged files cheap across configurations and clones.
if command -v ccache >/dev/null; then
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "build/$config" -G Ninja "${args[@]}" >/dev/null
if [[ $config == fuzz ]]; then
  cmake --build "build/$config" -j "$jobs" --target fuzz_all
else
  cmake --build "build/$config" -j "$jobs"
fi
