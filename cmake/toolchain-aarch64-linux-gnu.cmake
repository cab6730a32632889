# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit ARM Linux with Debian's cross compiler
# (crossbuild-essential-arm64) against the arm64 libraries installed beside
# the machine's own (multiarch: libsdl2-dev:arm64 and the others that
# `scripts/setup.sh cross` installs):
#
#   cmake -S . -B build-arm64 --toolchain cmake/toolchain-aarch64-linux-gnu.cmake
#
# The programs it builds run on this machine under qemu's user-mode emulator
# (scripts/cross-check.sh does that); the build's own generators of pictures
# and sounds are arm64 programs too, so only the `tiefschacht` target is
# meant to be built this way.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)

# pkg-config reads only the arm64 libraries' descriptions (and the
# architecture-free ones); their paths are the multiarch ones under /usr.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/aarch64-linux-gnu/pkgconfig:/usr/share/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")

# Libraries and headers for the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)

# How the build's tests would run its programs.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
