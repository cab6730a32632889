# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs lintian, Debian's package checker, on the .deb that install_packages
# made in OUT: any error fails; the warnings and notes are printed.
file(GLOB deb ${OUT}/*.deb)
if(NOT deb)
  message(FATAL_ERROR "no .deb in ${OUT}: install_packages makes it")
endif()
find_program(LINTIAN lintian)
if(NOT LINTIAN)
  message(FATAL_ERROR "lintian is not installed: run scripts/setup.sh test")
endif()
execute_process(COMMAND ${LINTIAN} --fail-on error --display-info ${deb}
                RESULT_VARIABLE status OUTPUT_VARIABLE report ERROR_VARIABLE report)
message("${report}")
if(NOT status EQUAL 0)
  message(FATAL_ERROR "lintian finds errors in ${deb} (${status})")
endif()
