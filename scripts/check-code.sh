#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The code's form: every C++ file of the tree as clang-format lays it out
# (.clang-format), and no clang-tidy finding in src/ (.clang-tidy).
#   scripts/check-code.sh BUILD_DIR   (a configured tree, for the compile commands)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: scripts/check-code.sh BUILD_DIR}
cd "$root"
if ! git ls-files -z '*.cpp' '*.hpp' | xargs -0 clang-format --dry-run -Werror; then
  echo "check-code: files above are not formatted; run clang-format -i on them" >&2
  exit 1
fi
python3 "$root/scripts/tidy.py" "$build"
