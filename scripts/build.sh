#!/usr/bin/env bash
# Configures and builds one configuration: release (default), asan or fuzz;
# the one place where a build folder is configured (scripts/run.sh and
# scripts/package.sh build through it).
#
#   bash scripts/build.sh [CONFIG [TARGET...]]   only these targets when named
set -euo pipefail
cd "$(dirname "$0")/.."
config=${1:-release}
targets=("${@:2}")
jobs=${TB_JOBS:-$(nproc)}
# Line tables only (-g1): enough for backtraces, sanitizer reports and perf,
# and much cheaper to compile than full debug information; the package is
# stripped in any case.
optimised=(-DCMAKE_BUILD_TYPE=RelWithDebInfo
           "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
           "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG")
case "$config" in
  release) args=("${optimised[@]}") ;;
  asan)    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG=-g1 -DCMAKE_CXX_FLAGS_DEBUG=-g1
                 -DTB_SANITIZE=ON -DTB_BENCH=OFF) ;;
  fuzz)    args=("${optimised[@]}" -DTB_FUZZ=ON
                 -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) ;;
  *) echo "unknown configuration: $config" >&2; exit 2 ;;
esac
# TB_BENCH=OFF leaves the benchmarks out (CI runs none of them).
[[ -n ${TB_BENCH:-} && $config != fuzz ]] && args+=("-DTB_BENCH=$TB_BENCH")
# A compiler cache makes rebuilds of unchanged files cheap across configurations and clones.
# Paths are hashed relative to the checkout, so another clone of the same
# sources (CI's, a second worktree) reuses what this one compiled.
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  args+=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "build/$config" -G Ninja "${args[@]}" >/dev/null
if ((${#targets[@]} > 0)); then
  cmake --build "build/$config" -j "$jobs" --target "${targets[@]}"
elif [[ $config == fuzz ]]; then
  cmake --build "build/$config" -j "$jobs" --target fuzz_all
else
  cmake --build "build/$config" -j "$jobs"
fi
