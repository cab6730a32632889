#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (clang, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz and runs each for SECONDS on a
# working copy of its seed corpus in tests/fuzz/corpus/, one after the other:
#   scripts/fuzz.sh SECONDS [TARGET...]
# Prints per target the executions, the coverage reached and whether anything
# was found; exits non-zero on any finding. Crash inputs and logs are kept in
# build-fuzz/fuzz-run/. The committed corpus is never written to.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift

bash "$root/scripts/build.sh" build-fuzz \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1" \
  -DTIEFSCHACHT_FUZZ=ON -DTIEFSCHACHT_TESTS=OFF -DTIEFSCHACHT_BENCH=OFF >/dev/null

bin=$root/build-fuzz/tests/fuzz
run=$root/build-fuzz/fuzz-run
if [ $# -gt 0 ]; then targets=("$@"); else mapfile -t targets <"$bin/targets.txt"; fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/lsan.supp:print_suppressions=0}

found=0
for t in "${targets[@]}"; do
  [ -n "$t" ] || continue
  corpus=$run/corpus/$t
  findings=$run/findings/$t
  log=$run/logs/$t.log
  rm -rf "$corpus" "$findings"
  mkdir -p "$corpus" "$findings" "$run/logs"
  cp "$root/tests/fuzz/corpus/$t/"* "$corpus/"
  options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048
           -print_final_stats=1 -artifact_prefix="$findings/")
  [ -f "$root/tests/fuzz/$t.dict" ] && options+=(-dict="$root/tests/fuzz/$t.dict")

  status=0
  nice -n 10 "$bin/$t" "${options[@]}" "$corpus" >"$log" 2>&1 || status=$?

  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$findings")" ]; then
    found=1
    echo "$t: ${executions:-?} executions, ${coverage:-no coverage line}: FINDING (exit $status)," \
         "see $log and $findings/"
    grep -m 3 -E '^(==[0-9]+==ERROR|SUMMARY|fuzz check failed|.*runtime error)' "$log" | sed 's/^/    /' || true
  else
    echo "$t: ${executions:-?} executions, ${coverage:-no coverage line}: nothing found"
  fi
done
exit "$found"
