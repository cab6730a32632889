#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds the sanitizer tree: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, -O1 with line tables, every target instrumented
# for libFuzzer too, so that one tree holds the tests and the fuzz targets.
#   scripts/sanitizer-build.sh [DIR] [TARGET...]   (default: build-asan, everything)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-build-asan}; shift || true
targets=()
for t in "$@"; do targets+=(--target "$t"); done
cmake -S "$root" -B "$root/$dir" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1" \
  -DTIEFSCHACHT_SANITIZE=ON -DTIEFSCHACHT_FUZZ=ON -DTIEFSCHACHT_TESTS=ON \
  -DTIEFSCHACHT_BENCH=OFF -DTIEFSCHACHT_WERROR=ON >/dev/null
cmake --build "$root/$dir" --parallel "$(nproc)" "${targets[@]}"
