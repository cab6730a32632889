#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, builds, and runs every test: once in Release (and the
# software device's tests once more without vector loops, and the program
# built for arm64 against this one on every input script), once under
# AddressSanitizer and UndefinedBehaviorSanitizer; then a short run of every
# fuzz target on its seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh" test
jobs=$(nproc)

bash "$root/scripts/build.sh" build -DTIEFSCHACHT_TESTS=ON -DTIEFSCHACHT_BENCH=ON -DTIEFSCHACHT_WERROR=ON
(cd "$root/build" && ctest --output-on-failure --parallel "$jobs")

# The software device's tests once more without any vector loops, so the
# plain C++ span loops (what a processor family without them runs) are
# proven too; only the platform layer and those tests are built.
cmake -S "$root" -B "$root/build-nosimd" -DCMAKE_BUILD_TYPE=Release -DTIEFSCHACHT_SIMD=OFF \
  -DTIEFSCHACHT_TESTS=ON -DTIEFSCHACHT_BENCH=OFF -DTIEFSCHACHT_WERROR=ON >/dev/null
cmake --build "$root/build-nosimd" --parallel "$jobs" --target device_tests
"$root/build-nosimd/tests/device_tests" --gtest_brief=1

# The program built for arm64 and run under emulation plays every input
# script as this one does, byte for byte.
bash "$root/scripts/cross-check.sh" arm64

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Third-party libraries' blocks kept until exit (tests/lsan.supp says which).
export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=0
# -O1 with line tables only: readable reports, and a much quicker build than -O2 -g.
bash "$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1" \
  -DTIEFSCHACHT_SANITIZE=ON -DTIEFSCHACHT_TESTS=ON -DTIEFSCHACHT_BENCH=OFF -DTIEFSCHACHT_WERROR=ON
(cd "$root/build-asan" && ctest --output-on-failure --parallel "$jobs")

# Every fuzz target for a few seconds (TIEFSCHACHT_FUZZ_SECONDS, default 10).
bash "$root/scripts/fuzz.sh" "${TIEFSCHACHT_FUZZ_SECONDS:-10}"
