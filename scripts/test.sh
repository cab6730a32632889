#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, builds, and runs every test, each stage timed:
#   1. the Release tree (build/): the game, its tools, the tests and the
#      benchmarks, warnings as errors; the code's form (clang-format, and
#      clang-tidy on src/); every test (unit, faults, content, soak,
#      install with the packages, the licence of every file); the program
#      and its generators built for arm64 and run under emulation against
#      these on every input script, byte for byte (scripts/cross-check.sh);
#   2. the sanitizer tree (build-asan/, clang with AddressSanitizer and
#      UndefinedBehaviorSanitizer): every test that runs the game's code,
#      then every fuzz target for a few seconds on its seed corpus.
# A compiler cache (ccache) keeps the trees' rebuilds short after a change.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh" test
jobs=$(nproc)

stage() {
  local name=$1 start=$SECONDS
  shift
  echo "== $name"
  "$@"
  echo "== $name: $((SECONDS - start)) s"
}

release_build() {
  bash "$root/scripts/build.sh" build -DTIEFSCHACHT_TESTS=ON -DTIEFSCHACHT_BENCH=ON \
    -DTIEFSCHACHT_WERROR=ON
}
release_tests() { (cd "$root/build" && ctest --output-on-failure --parallel "$jobs"); }

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Third-party libraries' blocks kept until exit (tests/lsan.supp says which).
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
sanitizer_build() { bash "$root/scripts/sanitizer-build.sh" build-asan; }
# The install and packaging checks and the file checks look at files, not at
# the game's code running: the Release tree has run them.
sanitizer_tests() {
  (cd "$root/build-asan" && ctest --output-on-failure --parallel "$jobs" -LE 'install|files')
}

stage "Release build" release_build
stage "code form" bash "$root/scripts/check-code.sh" "$root/build"
stage "Release tests" release_tests
stage "arm64 cross-check" bash "$root/scripts/cross-check.sh" arm64
stage "sanitizer build" sanitizer_build
stage "sanitizer tests" sanitizer_tests
# Every fuzz target for a few seconds (TIEFSCHACHT_FUZZ_SECONDS, default 6)
# after its seed corpus.
stage "fuzz" bash "$root/scripts/fuzz.sh" "${TIEFSCHACHT_FUZZ_SECONDS:-6}"
