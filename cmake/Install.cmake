# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules: the program in bin/, the shipped tree under share/tiefschacht/
# (found by the program relative to itself, so the installed tree can be moved
# as a whole), and the desktop integration: desktop entry, AppStream metainfo,
# icons and the manual page, all named by one application id.
include(GNUInstallDirs)

# The date of the release named by PROJECT_VERSION (metainfo and manual page).
set(TIEFSCHACHT_RELEASE_DATE 2026-12-08)
set(TIEFSCHACHT_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/tiefschacht)
set(_dist ${CMAKE_SOURCE_DIR}/dist)
set(_dist_out ${CMAKE_BINARY_DIR}/dist)

configure_file(${_dist}/metainfo.xml.in ${_dist_out}/${TIEFSCHACHT_APP_ID}.metainfo.xml @ONLY)
configure_file(${_dist}/desktop-entry.desktop.in ${_dist_out}/${TIEFSCHACHT_APP_ID}.desktop @ONLY)
configure_file(${_dist}/tiefschacht.6.in ${_dist_out}/tiefschacht.6 @ONLY)
add_custom_command(
  OUTPUT ${_dist_out}/tiefschacht.6.gz
  COMMAND gzip -9nkf ${_dist_out}/tiefschacht.6
  DEPENDS ${_dist_out}/tiefschacht.6
  COMMENT "Compressing the manual page")
add_custom_target(manual_page ALL DEPENDS ${_dist_out}/tiefschacht.6.gz)

# `game`: everything the installed game is made of, and so everything playing
# needs; scripts/play.sh and scripts/package.sh build only this.
add_custom_target(game)
add_dependencies(game tiefschacht manual_page)
foreach(t IN ITEMS game_data game_pictures game_sounds game_icons)
  if(TARGET ${t})
    add_dependencies(game ${t})
  endif()
endforeach()

# `make install` and cpack would otherwise build every target first, the tests
# and tools included; the install needs only what `game` builds.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

install(TARGETS tiefschacht RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Data/ comes from the shipped tree, never from the runtime folder, whose
# Data/ holds a player's highscores and the start-up log.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/game/Data DESTINATION ${TIEFSCHACHT_DATA_DESTINATION})
install(DIRECTORY ${GAME_DIR}/Graphics ${GAME_DIR}/Sound
        DESTINATION ${TIEFSCHACHT_DATA_DESTINATION})

install(FILES ${_dist_out}/${TIEFSCHACHT_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_dist_out}/${TIEFSCHACHT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${_dist_out}/tiefschacht.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)

# The icons are drawn by tools/art into icons/hicolor/<size>/apps/.
if(TARGET game_icons)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
