# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the installed game as a package installs it: a copy of the staged
# tree TREE (prefix /usr) made read-only, the program started from an
# unrelated folder without --data and with XDG_DATA_HOME in WORK. The winning
# run SCRIPT is replayed headless (its updates only: the pictures are loaded
# as always, but nothing is drawn) into the highscore list; the entry must be
# in the player's folder, and the installed tree unchanged byte for byte.
# VERSION is the project version --version must print.
cmake_policy(VERSION 3.25)

# Every file and folder under `dir` with the hash of each file.
function(fingerprint dir out)
  file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE ${dir} ${dir}/*)
  list(SORT entries)
  set(result "")
  foreach(e IN LISTS entries)
    if(IS_DIRECTORY ${dir}/${e})
      string(APPEND result "${e}/\n")
    else()
      file(SHA256 ${dir}/${e} hash)
      string(APPEND result "${e} ${hash}\n")
    endif()
  endforeach()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

# A previous run may have left its read-only copy.
if(EXISTS ${WORK})
  execute_process(COMMAND chmod -R u+w ${WORK})
  file(REMOVE_RECURSE ${WORK})
endif()
file(MAKE_DIRECTORY ${WORK}/elsewhere ${WORK}/home)
file(COPY ${TREE} DESTINATION ${WORK})
set(installed ${WORK}/usr)
execute_process(COMMAND chmod -R a-w ${installed})
fingerprint(${installed} before)

execute_process(COMMAND ${installed}/bin/tiefschacht --version
                RESULT_VARIABLE status OUTPUT_VARIABLE version ERROR_VARIABLE version)
if(NOT status EQUAL 0 OR NOT version STREQUAL "Tiefschacht ${VERSION}\n")
  message(SEND_ERROR "tiefschacht --version printed '${version}' (${status})")
endif()

include(${CMAKE_CURRENT_LIST_DIR}/../content/winning_run_facts.cmake)
winning_run_facts(${SCRIPT})

execute_process(
  COMMAND ${CMAKE_COMMAND} -E env XDG_DATA_HOME=${WORK}/xdg HOME=${WORK}/home
          ${installed}/bin/tiefschacht --headless --no-draw --input ${SCRIPT} --frames ${frames}
  WORKING_DIRECTORY ${WORK}/elsewhere
  RESULT_VARIABLE status ERROR_VARIABLE errors)
fingerprint(${installed} after)
execute_process(COMMAND chmod -R u+w ${installed})

if(NOT status EQUAL 0)
  message(SEND_ERROR "the installed game ended with ${status}:\n${errors}")
endif()
set(list ${WORK}/xdg/tiefschacht/Data/Highscore.txt)
if(NOT EXISTS ${list})
  message(FATAL_ERROR "no highscore list in the player's folder ${list}:\n${errors}")
endif()
file(STRINGS ${list} lines)
list(FIND lines "${name} ${score}" line)
if(line LESS 0)
  message(SEND_ERROR "${list} does not hold '${name} ${score}': ${lines}")
endif()
if(NOT EXISTS ${WORK}/xdg/tiefschacht/Data/protokoll.txt)
  message(SEND_ERROR "no start-up log in the player's folder")
endif()
if(NOT after STREQUAL before)
  message(SEND_ERROR "the installed tree changed:\nbefore:\n${before}\nafter:\n${after}")
endif()
file(GLOB home_files ${WORK}/home/*)
if(home_files)
  message(SEND_ERROR "the game wrote into HOME although XDG_DATA_HOME is set: ${home_files}")
endif()
