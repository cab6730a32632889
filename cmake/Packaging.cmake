# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Packages made by cpack from the install rules: a .tar.gz of the relocatable
# tree (bin/, share/) and a .deb for Debian 12. scripts/package.sh makes both
# in build/packages/.
set(CPACK_PACKAGE_NAME tiefschacht)
set(CPACK_PACKAGE_VENDOR "The Tiefschacht developers")
set(CPACK_PACKAGE_CONTACT "The Tiefschacht developers <tiefschacht@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "platform game deep down an old shaft")
# Lines of the .deb's long description; cpack indents them.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "The hero climbs down an old shaft, from a forest clearing through the\n"
    "owls' cave, the crypt and the vampires' vault to the treasure at its\n"
    "bottom: he walks, jumps, climbs ladders, swims, opens doors with keys and\n"
    "dodges the creatures of the deep. The game speaks German.")
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries (SDL2, SDL2_mixer, SDL2_image, libpng, FreeType, fontconfig and
# the C++ runtime) are found by dpkg-shlibdeps with the versions this machine
# builds against; the fonts are looked up through fontconfig at run time, and
# the manual and the web site are opened through xdg-open.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Debian keeps the programs of games in /usr/games (see DebianGamesFolder.cmake).
set(CPACK_TIEFSCHACHT_BINDIR ${CMAKE_INSTALL_BINDIR})
# The archive carries the licence's text (see ArchiveLicenceText.cmake).
set(CPACK_TIEFSCHACHT_LICENCE ${CMAKE_SOURCE_DIR}/LICENSES/GPL-3.0-or-later.txt)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianGamesFolder.cmake
                            ${CMAKE_CURRENT_LIST_DIR}/ArchiveLicenceText.cmake)

include(CPack)
