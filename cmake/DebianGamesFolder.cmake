# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on its staging tree before a package is made: in the .deb the
# program moves from /usr/bin to /usr/games, where Debian keeps the programs of
# games. The data tree stays in /usr/share/tiefschacht, reached from either
# folder by the same ../share/tiefschacht, so the program finds it unchanged.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(_usr ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
  file(RENAME ${_usr}/${CPACK_TIEFSCHACHT_BINDIR} ${_usr}/games)
endif()
