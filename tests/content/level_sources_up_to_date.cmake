# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the level data from its sources and compares it with the
# committed files, so an edit of Level1.map or enemies.txt is never forgotten.
execute_process(
  COMMAND ${LEVELGEN} ${SRC}/tools/levelgen/Level1.map ${SRC}/tools/levelgen/enemies.txt
          ${OUT}/Level1.txt ${OUT}/Enemies1.txt
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "levelgen failed (${rc})")
endif()
foreach(f Level1.txt Enemies1.txt)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${f} ${SRC}/game/Data/${f}
                  RESULT_VARIABLE diff)
  if(NOT diff EQUAL 0)
    message(FATAL_ERROR "game/Data/${f} is out of date: run 'cmake --build build --target level_data'")
  endif()
endforeach()
