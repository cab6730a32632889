# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the installed tree TREE (the prefix): the program, the data tree as
# shipped, the desktop entry and metainfo (valid, named by APP_ID throughout,
# the licence named), the copyright file and changelog, the manual page (clean roff, every option of the program), the
# icons when the build draws them (ICONS). SRC is the source tree, GAME_DIR the
# build's runtime folder.

cmake_policy(VERSION 3.25)
function(files_under dir out)
  file(GLOB_RECURSE found RELATIVE ${dir} ${dir}/*)
  list(SORT found)
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

function(expect_file path)
  if(NOT EXISTS ${TREE}/${path})
    message(SEND_ERROR "not installed: ${path}")
  endif()
endfunction()

# Runs a validator; its report is the failure message.
function(expect_valid)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    string(JOIN " " command ${ARGN})
    message(SEND_ERROR "${command} failed (${status}):\n${out}")
  endif()
endfunction()

set(data share/tiefschacht)
execute_process(COMMAND ${TREE}/bin/tiefschacht --help
                RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE help)
if(NOT status EQUAL 0)
  message(SEND_ERROR "bin/tiefschacht --help did not run (${status}):\n${help}")
endif()

# Data/ is the shipped tree exactly: nothing a run leaves in the runtime
# folder (a player's highscores, the start-up log) may come along.
files_under(${SRC}/game/Data shipped)
files_under(${TREE}/${data}/Data installed)
if(NOT installed STREQUAL shipped)
  message(SEND_ERROR "installed Data/ holds [${installed}], the shipped tree [${shipped}]")
endif()
foreach(d IN ITEMS Graphics Sound)
  files_under(${GAME_DIR}/${d} built)
  files_under(${TREE}/${data}/${d} installed)
  if(NOT built OR NOT installed STREQUAL built)
    message(SEND_ERROR "installed ${d}/ holds [${installed}], the runtime folder [${built}]")
  endif()
endforeach()

set(desktop share/applications/${APP_ID}.desktop)
set(metainfo share/metainfo/${APP_ID}.metainfo.xml)
set(manual share/man/man6/tiefschacht.6.gz)
foreach(f IN ITEMS ${desktop} ${metainfo} ${manual} share/doc/tiefschacht/copyright
                   share/doc/tiefschacht/changelog.gz)
  expect_file(${f})
endforeach()

if(EXISTS ${TREE}/${desktop})
  expect_valid(desktop-file-validate ${TREE}/${desktop})
  # What the validator leaves open: the games menu, both comments, the names.
  file(READ ${TREE}/${desktop} entry)
  foreach(line IN ITEMS "Categories=Game;" "Comment=" "Comment\\[de\\]=" "Exec=tiefschacht\n"
                        "Icon=${APP_ID}\n")
    if(NOT entry MATCHES "\n${line}")
      message(SEND_ERROR "${desktop} has no line ${line}")
    endif()
  endforeach()
endif()

if(EXISTS ${TREE}/${metainfo})
  expect_valid(appstreamcli validate --no-net ${TREE}/${metainfo})
  file(READ ${TREE}/${metainfo} component)
  if(NOT component MATCHES "<id>${APP_ID}</id>"
     OR NOT component MATCHES "<launchable type=\"desktop-id\">${APP_ID}.desktop</launchable>")
    message(SEND_ERROR "${metainfo}: <id> or <launchable> is not ${APP_ID}")
  endif()
  if(NOT component MATCHES "<project_license>GPL-3.0-or-later</project_license>")
    message(SEND_ERROR "${metainfo} does not name the licence")
  endif()
  # The screenshots are the repository's docs/ pictures as the web site serves them.
  string(REGEX MATCHALL "https://www.example.org/docs/[^<]*" shots "${component}")
  if(NOT shots)
    message(SEND_ERROR "${metainfo} names no screenshot of docs/")
  endif()
  foreach(url IN LISTS shots)
    string(REPLACE "https://www.example.org/" "" path ${url})
    if(NOT EXISTS ${SRC}/${path})
      message(SEND_ERROR "${metainfo}: screenshot ${url} has no ${path} in the repository")
    endif()
  endforeach()
endif()

if(EXISTS ${TREE}/${manual})
  execute_process(COMMAND gzip -dc ${TREE}/${manual} OUTPUT_VARIABLE page)
  execute_process(COMMAND gzip -dc ${TREE}/${manual} COMMAND groff -man -ww -z
                  RESULT_VARIABLE status ERROR_VARIABLE warnings)
  if(NOT status EQUAL 0 OR warnings)
    message(SEND_ERROR "${manual}: groff (${status}):\n${warnings}")
  endif()
  # Every option the program knows is on the page (roff writes - as \-).
  string(REGEX MATCHALL "\n *(-[a-z],)? *--[a-z-]+" options "${help}")
  if(NOT options)
    message(SEND_ERROR "tiefschacht --help lists no options:\n${help}")
  endif()
  foreach(o IN LISTS options)
    string(REGEX REPLACE ".*--" "" name "${o}")
    string(REPLACE "-" "\\\\-" roff "\\-\\-${name}")
    if(NOT page MATCHES "${roff}")
      message(SEND_ERROR "${manual} does not describe --${name}")
    endif()
  endforeach()
endif()

if(ICONS)
  foreach(size IN ITEMS 32 48 64 128 256)
    expect_file(share/icons/hicolor/${size}x${size}/apps/${APP_ID}.png)
  endforeach()
endif()
