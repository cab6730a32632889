# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Replays tests/e2e/winning_run.txt in the real program, headless and without
# drawing (the checks are of the state alone), in a fresh
# copy of the runtime folder, and checks that the level was won, that the
# run's score and name entered the highscore list and its file, and that the
# shipped data gave no cause for a single warning.
include(${CMAKE_CURRENT_LIST_DIR}/winning_run_facts.cmake)
winning_run_facts(${SCRIPT})

file(REMOVE_RECURSE ${WORK})
file(COPY ${GAME_DIR}/ DESTINATION ${WORK})
file(COPY_FILE ${SRC}/game/Data/Highscore.txt ${WORK}/Data/Highscore.txt)
execute_process(
  COMMAND ${GAME} --data ${WORK} --headless --no-draw --input ${SCRIPT} --frames ${frames}
          --dump-state ${WORK}/state.json
  RESULT_VARIABLE rc
  ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the game ended with ${rc}: ${err}")
endif()
if(NOT err STREQUAL "")
  message(FATAL_ERROR "the run printed on stderr:\n${err}")
endif()

file(READ ${WORK}/state.json state)
string(JSON visited GET "${state}" statesVisited)
if(NOT visited MATCHES "100, 25, 10")
  message(FATAL_ERROR "the run did not go from play to the won screen to the list: ${visited}")
endif()
string(JSON entries LENGTH "${state}" highscores)
set(found -1)
math(EXPR last "${entries} - 1")
foreach(i RANGE ${last})
  string(JSON n GET "${state}" highscores ${i} name)
  string(JSON s GET "${state}" highscores ${i} score)
  if(n STREQUAL name AND s EQUAL score)
    set(found ${i})
  endif()
endforeach()
if(found LESS 0)
  message(FATAL_ERROR "${name} with ${score} points is not in the highscore list")
endif()
file(STRINGS ${WORK}/Data/Highscore.txt lines)
list(FIND lines "${name} ${score}" line)
if(NOT line EQUAL found)
  message(FATAL_ERROR "Data/Highscore.txt does not hold '${name} ${score}' on line ${found}: ${lines}")
endif()
message(STATUS "won with ${score} points; ${name} is number ${found} of the list")
