#!/usr/bin/env bash
# Builds and runs the whole suite: fuzz targets briefly, then the tests in the
# release and the sanitizer configuration, then Trimbench built for Windows
# under Wine (scripts/wine-test.sh). Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
# Prints how long the step just finished took, so a slow CI run shows where its time went.
took() { echo "--- $1 took $((SECONDS - step_start)) s"; step_start=$SECONDS; }
step_start=$SECONDS
# The suite runs no benchmark: they are not built (bench/ prints figures on demand).
export TB_BENCH=${TB_BENCH:-OFF}
fuzz_seconds=${TB_FUZZ_SECONDS:-4}

# One fuzz target for the given time, on its corpus and seeds; prints its log on failure.
fuzz_one() {
  local target=$1 name corpus seeds=()
  name=$(basename "$target")
  corpus=build/fuzz/corpus/$name
  mkdir -p "$corpus"
  [[ -d fuzz/seeds/$name ]] && seeds=(fuzz/seeds/$name)
  echo "fuzzing $name for ${fuzz_seconds}s"
  if ! "$target" -max_total_time="$fuzz_seconds" -print_final_stats=0 "$corpus" "${seeds[@]}" \
       > "build/fuzz/$name.log" 2>&1; then
    echo "FUZZ FAILURE in $name:"; tail -40 "build/fuzz/$name.log"; return 1
  fi
}

./scripts/build.sh fuzz || status=1
took "fuzz build"
if [[ $status -eq 0 ]]; then
  # As many targets at once as there are cores: each one is single-threaded.
  running=0
  for target in build/fuzz/out/fuzz_*; do
    [[ -x $target ]] || continue
    if ((running >= $(nproc))); then wait -n || status=1; running=$((running - 1)); fi
    fuzz_one "$target" &
    running=$((running + 1))
  done
  while ((running > 0)); do wait -n || status=1; running=$((running - 1)); done
  took "fuzzing"
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for config in release asan; do
  if ! ./scripts/build.sh "$config"; then
    echo "build of $config failed"; status=1; continue
  fi
  took "$config build"
  echo "=== tests ($config)"
  # The sequence runs take 500 operations per page family in the release
  # build; under the sanitizers, which slow every exchange, a shorter run.
  sequence_operations=500
  [[ $config == asan ]] && sequence_operations=150
  (cd "build/$config" && TB_SEQUENCE_OPERATIONS=${TB_SEQUENCE_OPERATIONS:-$sequence_operations} \
     ctest --output-on-failure -j "${TB_JOBS:-2}" --timeout 300) || status=1
  took "$config tests"
done

# The libraries and programs for Windows, under Wine against the release build's simulator.
echo "=== Windows under Wine"
./scripts/wine-test.sh || status=1
took "Windows under Wine"

echo "=== Debian package"
./scripts/package.sh || status=1
took "package"
exit $status
