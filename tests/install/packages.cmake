# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the .tar.gz and the .deb with cpack from the build BUILD into OUT and
# checks them against the staged install TREE (prefix /usr): the archive holds
# that tree (and the licence's text) under PACKAGE/, the .deb holds it under
# /usr with the program in /usr/games, and declares the section and the
# libraries and fonts the game needs at run time.
cmake_policy(VERSION 3.25)
file(REMOVE_RECURSE ${OUT})
execute_process(COMMAND cpack --config ${BUILD}/CPackConfig.cmake -G TGZ\;DEB -B ${OUT}
                RESULT_VARIABLE status OUTPUT_VARIABLE log ERROR_VARIABLE log)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cpack failed (${status}):\n${log}")
endif()
file(GLOB deb ${OUT}/*.deb)
file(GLOB tgz ${OUT}/*.tar.gz)
if(NOT deb OR NOT tgz)
  message(FATAL_ERROR "cpack made no .deb or no .tar.gz in ${OUT}:\n${log}")
endif()

function(compare what listed expected)
  list(SORT listed)
  list(SORT expected)
  if(NOT listed STREQUAL expected)
    set(missing ${expected})
    list(REMOVE_ITEM missing ${listed})
    set(extra ${listed})
    list(REMOVE_ITEM extra ${expected})
    message(SEND_ERROR "${what}: lacks [${missing}], holds besides [${extra}]")
  endif()
endfunction()

file(GLOB_RECURSE staged RELATIVE ${TREE} ${TREE}/*)

execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${tgz} OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" listing "${listing}")
list(FILTER listing INCLUDE REGEX "^${PACKAGE}/.*[^/]$")
list(TRANSFORM listing REPLACE "^${PACKAGE}/" "")
# The archive carries the licence's text besides; the .deb refers to Debian's.
compare(${tgz} "${listing}" "${staged};share/doc/tiefschacht/GPL-3.0-or-later.txt")

execute_process(COMMAND dpkg-deb --contents ${deb} OUTPUT_VARIABLE listing)
string(REPLACE "\n" ";" listing "${listing}")
list(FILTER listing INCLUDE REGEX "^-")
list(TRANSFORM listing REPLACE "^.* \\./usr/" "")
set(expected ${staged})
list(TRANSFORM expected REPLACE "^bin/" "games/")
compare(${deb} "${listing}" "${expected}")

execute_process(COMMAND dpkg-deb --field ${deb} Section Depends OUTPUT_VARIABLE control)
if(NOT control MATCHES "Section: games\n")
  message(SEND_ERROR "${deb} is not in the section games:\n${control}")
endif()
foreach(p IN ITEMS libsdl2-2.0-0 libsdl2-mixer-2.0-0 libsdl2-image-2.0-0 libfreetype6
                   libfontconfig1 fonts-liberation2)
  if(NOT control MATCHES "[ ,]${p}[ ,(\n]")
    message(SEND_ERROR "${deb} does not depend on ${p}:\n${control}")
  endif()
endforeach()
