#!/usr/bin/env bash
# libFuzzer targets of fuzz/, built with clang 14, AddressSanitizer and UBSan in
# the tree the sanitizer run of the tests shares (scripts/sanitize-tree.sh).
#   ./scripts/fuzz.sh ci                    every target for a short fixed number of runs
#   ./scripts/fuzz.sh run TARGET [ARGS...]  one target for as long as wanted; ARGS go to
#                                           libFuzzer, e.g. -runs=10000000 or -max_total_time=3600
# Targets: ini profile macro model import reports. New inputs found by a long
# run collect in <build>/corpus/TARGET; the committed seeds in fuzz/corpus stay small.
# What libFuzzer keeps of a failing or slow input (crash-, leak-, timeout-, oom-,
# slow-unit- files) goes to <build>/fuzz/artifacts/TARGET/, never into the source tree.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# shellcheck source=scripts/sanitize-tree.sh
. "$here/scripts/sanitize-tree.sh"
targets=(ini profile macro model import reports)
# runs per target in CI, a few seconds each: the readers take their input from memory, but
# the INI target also reads it through QSettings and the profile target builds a whole profile
declare -A ci_runs=([ini]=20000 [profile]=5000 [macro]=100000 [model]=20000 [import]=50000 [reports]=1000000)

artifacts_of() { echo "$build/fuzz/artifacts/$1"; }

run_target() {
  local t="$1"
  shift
  local artifacts
  artifacts="$(artifacts_of "$t")"
  mkdir -p "$build/corpus/$t" "$artifacts"
  # the prefix comes first, so that an -artifact_prefix among the arguments still wins
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$build/fuzz/fuzz_$t" -artifact_prefix="$artifacts/" \
    "$build/corpus/$t" "$here/fuzz/corpus/$t" "$@"
}

case "${1:-}" in
  ci)
    sanitize_configure
    cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
    for t in "${targets[@]}"; do
      start=$SECONDS
      log="$build/fuzz/fuzz_$t.log"
      # a crash, a leak or undefined behaviour ends libFuzzer with a non-zero code; a fixed
      # seed gives the same inputs every time, so that CI cannot fail by chance
      if ! run_target "$t" -runs="${ci_runs[$t]}" -seed=1 -max_len=4096 >"$log" 2>&1; then
        tail -n 80 "$log" >&2
        echo "fuzz_$t failed; its whole output: $log; the input: $(artifacts_of "$t")/" >&2
        exit 1
      fi
      grep -E '^(#[0-9]+\s+DONE|Done )' "$log" || true
      echo "fuzz_$t: ${ci_runs[$t]} runs in $((SECONDS - start)) s"
    done
    ;;
  run)
    t="${2:?which target? one of: ${targets[*]}}"
    shift 2
    sanitize_configure
    cmake --build "$build" -j"$(nproc)" --target "fuzz_$t"
    run_target "$t" "$@"
    ;;
  *) echo "usage: $0 ci | run TARGET [libFuzzer arguments]" >&2; exit 2 ;;
esac
