# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Install rules: the program in bin/, the shipped tree under share/tiefschacht/
# (found by the program relative to itself, so the installed tree can be moved
# as a whole), the desktop integration: desktop entry, AppStream metainfo,
# icons and the manual page, all named by one application id, and the
# copyright file and changelog under share/doc/tiefschacht/.
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

# The release date as a Debian changelog writes it ("Tue, 08 Dec 2026 ..."):
# the weekday by Sakamoto's rule, 0 for Sunday.
string(REGEX MATCH "^([0-9]+)-0*([0-9]+)-0*([0-9]+)$" _ "${TIEFSCHACHT_RELEASE_DATE}")
set(_year ${CMAKE_MATCH_1})
set(_month ${CMAKE_MATCH_2})
set(_day ${CMAKE_MATCH_3})
set(_y ${_year})
if(_month LESS 3)
  math(EXPR _y "${_y} - 1")
endif()
math(EXPR _m "${_month} - 1")
set(_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
set(_weekdays Sun Mon Tue Wed Thu Fri Sat)
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET _offsets ${_m} _offset)
math(EXPR _weekday "(${_y} + ${_y} / 4 - ${_y} / 100 + ${_y} / 400 + ${_offset} + ${_day}) % 7")
list(GET _weekdays ${_weekday} _weekday)
list(GET _months ${_m} _monthName)
string(REGEX REPLACE "^.*-" "" _dd "${TIEFSCHACHT_RELEASE_DATE}")
set(TIEFSCHACHT_RELEASE_DATE_RFC2822 "${_weekday}, ${_dd} ${_monthName} ${_year} 12:00:00 +0000")

# The package's documents: the copyright file (Debian's machine-readable
# format) and the changelog, compressed as Debian keeps it.
configure_file(${_dist}/changelog.in ${_dist_out}/changelog @ONLY)
add_custom_command(
  OUTPUT ${_dist_out}/changelog.gz
  COMMAND gzip -9nkf ${_dist_out}/changelog
  DEPENDS ${_dist_out}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(package_documents ALL DEPENDS ${_dist_out}/changelog.gz)

# `game`: everything the installed game is made of, and so everything playing
# needs; scripts/play.sh and scripts/package.sh build only this.
add_custom_target(game)
add_dependencies(game tiefschacht manual_page package_documents)
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
install(FILES ${_dist}/copyright ${_dist_out}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tiefschacht)

# The icons are drawn by tools/art into icons/hicolor/<size>/apps/.
if(TARGET game_icons)
  install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
endif()
