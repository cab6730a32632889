# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Compiles the winning route again and compares it with the committed input
# script: a change to the level, its enemies or the play rules shows up here
# with the route line where the hero now fails.
execute_process(COMMAND ${ROUTE} ${GAME_DIR} ${SRC}/tests/e2e/winning_route.txt ${OUT}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the winning route no longer wins (${rc}); fix tests/e2e/winning_route.txt")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT} ${SRC}/tests/e2e/winning_run.txt
                RESULT_VARIABLE diff)
if(NOT diff EQUAL 0)
  message(FATAL_ERROR "tests/e2e/winning_run.txt is out of date: run 'cmake --build build --target winning_run'")
endif()
