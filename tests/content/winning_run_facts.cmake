# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# What the winning run's script states in its header: the name it types
# (`name`), the score it makes (`score`), and the frames a replay needs, its
# polls and a few more (`frames`).
function(winning_run_facts script)
  file(READ ${script} text)
  string(REGEX MATCH "# score ([0-9]+)" _ "${text}")
  set(score ${CMAKE_MATCH_1} PARENT_SCOPE)
  string(REGEX MATCH "# name ([A-Z]+)" _ "${text}")
  set(name ${CMAKE_MATCH_1} PARENT_SCOPE)
  string(REGEX MATCH "# polls ([0-9]+)" _ "${text}")
  math(EXPR polls "${CMAKE_MATCH_1} + 5")
  set(frames ${polls} PARENT_SCOPE)
endfunction()
