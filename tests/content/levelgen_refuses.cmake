# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The level generator refuses a map that is not 400 rows of 22 symbols (a
# short row, a long row, a missing row) with a message that says where, and
# writes nothing.
file(STRINGS ${SRC}/tools/levelgen/Level1.map map)
list(FILTER map EXCLUDE REGEX "^;")
list(GET map 200 row)
string(SUBSTRING "${row}" 0 21 short)
set(cases "short row|${short}|21 symbols, need 22"
          "long row|${row}x|23 symbols, need 22"
          "missing row|-|399 rows, need 400")
foreach(c IN LISTS cases)
  string(REPLACE "|" ";" c "${c}")
  list(GET c 0 what)
  list(GET c 1 replacement)
  list(GET c 2 message)
  set(broken ${map})
  list(REMOVE_AT broken 200)
  if(NOT replacement STREQUAL "-")
    list(INSERT broken 200 "${replacement}")
  endif()
  list(JOIN broken "\n" text)
  file(WRITE ${OUT}/broken.map "${text}\n")
  file(REMOVE ${OUT}/Level1.txt)
  execute_process(COMMAND ${LEVELGEN} ${OUT}/broken.map ${SRC}/tools/levelgen/enemies.txt
                          ${OUT}/Level1.txt ${OUT}/Enemies1.txt
                  RESULT_VARIABLE rc ERROR_VARIABLE err)
  if(rc EQUAL 0 OR NOT err MATCHES "${message}" OR EXISTS ${OUT}/Level1.txt)
    message(FATAL_ERROR "a map with a ${what}: exit ${rc}, '${err}'")
  endif()
endforeach()
