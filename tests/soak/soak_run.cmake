# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
cmake_minimum_required(VERSION 3.25)
# One soak run: writes a seeded random input script of FRAMES polls, runs the
# real program headless on it in a fresh copy of the runtime folder and checks
# that it ran every frame without ending early, reached play, game overs, the
# highscore list and the menus, and ended on the exit screen.
#   cmake -DGAME=... -DSOAK=... -DGAME_DIR=... -DWORK=... -DFRAMES=50000
#         [-DSEED=1] [-DMODE=2] [-DTIME=/usr/bin/time] [-DSCRIPT_FRAMES=N] [-DDRAW=OFF]
#         -P soak_run.cmake
# DRAW=OFF runs the game's updates only (--no-draw): the same states, frame
# for frame, in a fraction of the time.
# SCRIPT_FRAMES (at least FRAMES) writes a longer script and runs only its
# first FRAMES frames, so that a short run and a long one read the same input
# and hold the same script in memory; such a run is not checked for the
# screens it reaches.
if(NOT DEFINED SCRIPT_FRAMES)
  set(SCRIPT_FRAMES ${FRAMES})
endif()
if(NOT DEFINED SEED)
  set(SEED 1)
endif()
if(NOT DEFINED MODE)
  set(MODE 2)
endif()

file(REMOVE_RECURSE ${WORK})
file(COPY ${GAME_DIR}/ DESTINATION ${WORK})
# The display mode of the copy (2: 800 x 600, 4: 1024 x 768).
file(READ ${WORK}/Data/Resolutions.txt resolutions)
string(REGEX REPLACE "Modus [0-9]+" "Modus ${MODE}" resolutions "${resolutions}")
file(WRITE ${WORK}/Data/Resolutions.txt "${resolutions}")
# A list of scores below zero, so that the short games of random keys keep
# entering it even when they take nothing (the clearing at the start holds
# no items); each entry raises the bar for the next.
file(WRITE ${WORK}/Data/Highscore.txt
  "EINS -10\nZWEI -20\nDREI -30\nVIER -40\nFUENF -50\nSECHS -60\nSIEBEN -70\nACHT -80\nNEUN -90\nZEHN -100\n")
set(initialNames EINS ZWEI DREI VIER FUENF SECHS SIEBEN ACHT NEUN ZEHN)

execute_process(COMMAND ${SOAK} --seed ${SEED} --frames ${SCRIPT_FRAMES} --out ${WORK}/soak.txt
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the script writer failed: ${rc}")
endif()

set(command ${GAME} --data ${WORK} --headless --input ${WORK}/soak.txt --frames ${FRAMES}
            --dump-state ${WORK}/state.json)
if(DEFINED DRAW AND NOT DRAW)
  list(APPEND command --no-draw)
endif()
if(TIME)
  set(command ${TIME} -f "%M %e" -o ${WORK}/time.txt ${command})
endif()
string(TIMESTAMP started "%s")
execute_process(COMMAND ${command} RESULT_VARIABLE rc)
string(TIMESTAMP ended "%s")
math(EXPR seconds "${ended} - ${started}")
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "the game ended with ${rc} after ${seconds} s")
endif()

file(READ ${WORK}/state.json state)
string(JSON ran GET "${state}" frames)
string(JSON closed GET "${state}" closeRequested)
string(JSON endState GET "${state}" gameState)
string(JSON shell LENGTH "${state}" shellRequests)
# A run that ends before its last frame, or asks to close the window, is a
# fault of the script writer: it must never click a button that ends the game.
if(NOT ran EQUAL FRAMES OR closed)
  message(FATAL_ERROR "the script ended the program early: ${ran} of ${FRAMES} frames, "
                      "close requested ${closed}")
endif()
set(rss "")
if(TIME AND EXISTS ${WORK}/time.txt)
  file(STRINGS ${WORK}/time.txt timing REGEX "^[0-9]+ ")
  string(REGEX REPLACE " .*" "" rss "${timing}")
  set(rss ", peak RSS ${rss} kB")
endif()
if(SCRIPT_FRAMES GREATER FRAMES)
  message(STATUS "soak: ${ran} frames of a ${SCRIPT_FRAMES}-frame script in ${seconds} s${rss}")
  return()
endif()

if(NOT endState EQUAL 1)
  message(FATAL_ERROR "the run did not end on the exit screen but in state ${endState}")
endif()

string(JSON visitedCount LENGTH "${state}" statesVisited)
set(visited "")
math(EXPR last "${visitedCount} - 1")
foreach(i RANGE ${last})
  string(JSON s GET "${state}" statesVisited ${i})
  list(APPEND visited ${s})
endforeach()
foreach(s IN ITEMS 0 50 100 10 1)
  if(NOT s IN_LIST visited)
    message(FATAL_ERROR "the run never reached state ${s}: ${visited}")
  endif()
endforeach()

# Deaths and game overs from the sounds: "krepier" at each lost life, the
# title music at the start and again at each game over.
string(JSON soundCount LENGTH "${state}" soundsPlayed)
set(deaths 0)
set(music 0)
if(soundCount GREATER 0)
  math(EXPR last "${soundCount} - 1")
  foreach(i RANGE ${last})
    string(JSON s GET "${state}" soundsPlayed ${i})
    if(s STREQUAL "Sound/krepier.wav")
      math(EXPR deaths "${deaths} + 1")
    elseif(s STREQUAL "Sound/Titelmusik.wav")
      math(EXPR music "${music} + 1")
    endif()
  endforeach()
endif()
math(EXPR gameOvers "${music} - 1")
if(gameOvers LESS 1)
  message(FATAL_ERROR "no game was lost in ${FRAMES} frames (${deaths} lives lost)")
endif()

# Entries of the run in the list (names not in the starting list).
set(entries 0)
foreach(i RANGE 9)
  string(JSON n GET "${state}" highscores ${i} name)
  if(NOT n IN_LIST initialNames)
    math(EXPR entries "${entries} + 1")
  endif()
endforeach()
if(entries LESS 1)
  message(FATAL_ERROR "no score of the run entered the highscore list")
endif()

string(REPLACE ";" ", " visited "${visited}")
message(STATUS "soak: ${ran} frames in ${seconds} s${rss}; states ${visited}; "
               "${deaths} lives lost, ${gameOvers} game overs, ${entries} of the run's "
               "scores in the final list, ${shell} shell requests, ${soundCount} sounds")
