#!/usr/bin/env bash
# Long fuzzing of every fuzz target (not part of CI): each target runs for
# TB_FUZZ_RUNS inputs (default 1000000) under AddressSanitizer and
# UndefinedBehaviorSanitizer, but at most TB_FUZZ_SOAK_SECONDS seconds
# (default 600). Prints the runs reached and the new crashes per target;
# exits non-zero when any target crashed.
#
#   scripts/fuzz-soak.sh [target-name ...]     (default: every target)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${TB_FUZZ_RUNS:-1000000}
seconds=${TB_FUZZ_SOAK_SECONDS:-600}

./scripts/build.sh fuzz || exit 1
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
soak=build/fuzz/soak
mkdir -p "$soak"

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
  for path in build/fuzz/out/fuzz_*; do [[ -x $path ]] && targets+=("$(basename "$path")"); done
fi

status=0
printf '%-34s %12s %8s %8s\n' target runs seconds crashes
for name in "${targets[@]}"; do
  target=build/fuzz/out/$name
  if [[ ! -x $target ]]; then echo "no fuzz target $name" >&2; status=1; continue; fi
  corpus=build/fuzz/corpus/$name
  artifacts=$soak/$name/
  mkdir -p "$corpus" "$artifacts"
  seeds=()
  [[ -d fuzz/seeds/$name ]] && seeds=(fuzz/seeds/$name)
  before=$(find "$artifacts" -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' | wc -l)
  start=$(date +%s)
  "$target" -runs="$runs" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$corpus" "${seeds[@]}" > "$soak/$name.log" 2>&1
  code=$?
  took=$(( $(date +%s) - start ))
  done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$soak/$name.log" | tail -1)
  after=$(find "$artifacts" -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' | wc -l)
  crashes=$(( after - before ))
  printf '%-34s %12s %8s %8s\n' "$name" "${done_runs:-?}" "$took" "$crashes"
  if [[ $code -ne 0 || $crashes -ne 0 ]]; then
    status=1
    echo "  see $soak/$name.log"
  fi
done
exit $status
