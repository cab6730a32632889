# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The warnings every target of the project is built with. The test command
# turns on TIEFSCHACHT_WERROR, so a new warning fails the build there.
option(TIEFSCHACHT_WERROR "Treat warnings as errors" OFF)

function(tiefschacht_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wsuggest-override
    $<$<BOOL:${TIEFSCHACHT_WERROR}>:-Werror>)
endfunction()
