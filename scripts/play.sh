#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up what playing needs, builds the game alone in Release and starts it
# from its runtime folder; the arguments go to the game.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/setup.sh" play
bash "$root/scripts/build.sh" --game build
cd "$root/build/game"
exec ./tiefschacht "$@"
