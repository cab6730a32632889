#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the game in Release and makes its packages with cpack from the install
# rules: build/packages/tiefschacht-<version>-Linux.tar.gz (the relocatable
# tree: bin/, share/) and build/packages/tiefschacht_<version>_<arch>.deb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh" play
bash "$root/scripts/build.sh" --game build
cd "$root/build"
cpack -G "TGZ;DEB"
