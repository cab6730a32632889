#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Tiefschacht needs: scripts/setup.sh [play|cross|test|bench]
#   play  what building, playing and packaging the game need: the compiler,
#         CMake and the compiler cache (ccache, which the build uses when it is
#         there), the libraries the game and its generators build against,
#         and the fonts it draws with
#   cross that, and what scripts/cross-check.sh builds and runs the game for
#         arm64 with: Debian's cross compiler, the libraries for arm64 beside
#         the machine's own (the arm64 architecture is added to dpkg), and
#         qemu's user-mode emulator
#   test  play and cross, and what the tests, the sanitizer build and the fuzz
#         targets need: GoogleTest and GoogleMock, clang with its fuzzer
#         runtime, clang-format and clang-tidy (the code's form), the
#         validators of the desktop entry and the AppStream metainfo, reuse
#         (the licence of every file) and lintian (the .deb), a virtual X
#         display (Xvfb) for the windowed fault tests, and sway for the run in
#         a Wayland window
#   bench that, and what scripts/bench.sh runs the game in a window with:
#         xvfb-run's xauth, Mesa's software OpenGL, and glxinfo
# Without an argument: test. Idempotent: packages already present are skipped,
# and nothing is printed when everything is there.
set -euo pipefail
mode=${1:-test}

packages=(
  build-essential cmake pkg-config ccache
  libsdl2-dev libsdl2-mixer-dev libsdl2-image-dev libpng-dev libjpeg-dev libstb-dev
  libx11-dev libwayland-dev
  libfreetype-dev libfontconfig-dev fonts-liberation2
  nlohmann-json3-dev libcli11-dev
)
# The cross build's libraries are the arm64 builds of the game's own; the
# mixer's development package needs JACK's named, or apt finds no way to
# install it beside the machine's own.
cross=(
  crossbuild-essential-arm64 qemu-user-static
  libsdl2-dev:arm64 libsdl2-mixer-dev:arm64 libsdl2-image-dev:arm64 libpng-dev:arm64
  libjpeg-dev:arm64
  libx11-dev:arm64 libwayland-dev:arm64 libfreetype-dev:arm64 libfontconfig-dev:arm64
  libjack-jackd2-dev:arm64
)
# Cross building is for x86-64 machines (scripts/cross-check.sh).
[ "$(dpkg --print-architecture)" = amd64 ] || cross=()
case "$mode" in
  play) ;;
  cross) packages+=("${cross[@]}") ;;
  test|bench)
    packages+=(libgtest-dev libgmock-dev clang libclang-rt-14-dev clang-format clang-tidy
               desktop-file-utils appstream groff-base reuse lintian xvfb sway
               "${cross[@]}")
    [ "$mode" = bench ] && packages+=(xauth libgl1-mesa-dri mesa-utils) ;;
  *) echo "usage: scripts/setup.sh [play|cross|test|bench]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
if [[ " ${missing[*]}" == *:arm64* ]] && ! dpkg --print-foreign-architectures | grep -qx arm64; then
  "${sudo_cmd[@]}" dpkg --add-architecture arm64
fi
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
