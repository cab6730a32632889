#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in the sanitizer tree build-asan and runs each
# for SECONDS on a working copy of its seed corpus in tests/fuzz/corpus/, as
# many at a time as the machine has processors:
#   scripts/fuzz.sh SECONDS [TARGET...]
# Prints per target the executions, the coverage reached and whether anything
# was found; exits non-zero on any finding. Crash inputs and logs are kept in
# build-asan/fuzz-run/. The committed corpus is never written to.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift

tree=$root/build-asan
bin=$tree/tests/fuzz
run=$tree/fuzz-run
if [ $# -gt 0 ]; then
  targets=("$@")
else
  # The list of targets is written when the tree is configured.
  [ -f "$bin/targets.txt" ] || bash "$root/scripts/sanitizer-build.sh" build-asan fuzz_support >/dev/null
  mapfile -t targets <"$bin/targets.txt"
fi
bash "$root/scripts/sanitizer-build.sh" build-asan "${targets[@]}" >/dev/null

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}

# One target: its summary line (and the first lines of a finding) go to
# $run/summary/<target>; the exit status says whether anything was found.
fuzzOne() {
  local t=$1 corpus=$run/corpus/$1 findings=$run/findings/$1 log=$run/logs/$1.log
  local summary=$run/summary/$1
  rm -rf "$corpus" "$findings"
  mkdir -p "$corpus" "$findings" "$run/logs" "$run/summary"
  cp "$root/tests/fuzz/corpus/$t/"* "$corpus/"
  local options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048
                 -print_final_stats=1 -artifact_prefix="$findings/")
  [ -f "$root/tests/fuzz/$t.dict" ] && options+=(-dict="$root/tests/fuzz/$t.dict")

  local status=0
  nice -n 10 "$bin/$t" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?

  local executions coverage
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
    echo "$t: ${executions:-?} executions, ${coverage:-no coverage line}: FINDING (exit $status)," \
         "see $log and $findings/" >"$summary"
    grep -m 3 -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed|.*runtime error)' "$log" |
      sed 's/^/    /' >>"$summary" || true
    return 1
  fi
  echo "$t: ${executions:-?} executions, ${coverage:-no coverage line}: nothing found" >"$summary"
}

# As many targets at a time as there are processors.
found=0
running=0
for t in "${targets[@]}"; do
  [ -n "$t" ] || continue
  if [ "$running" -ge "$(nproc)" ]; then
    wait -n || found=1
    running=$((running - 1))
  fi
  fuzzOne "$t" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || found=1
  running=$((running - 1))
done
for t in "${targets[@]}"; do [ -n "$t" ] && cat "$run/summary/$t"; done
exit "$found"
