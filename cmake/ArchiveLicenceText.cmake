# SPDX-FileCopyrightText: 2026 The Tiefschacht developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by cpack on its staging tree before a package is made: the .tar.gz,
# which may be unpacked where Debian's /usr/share/common-licenses is not,
# carries the licence's full text beside the copyright file; the .deb refers
# to Debian's copy, as its copyright file says.
if(CPACK_GENERATOR STREQUAL "TGZ")
  set(_doc ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/share/doc/tiefschacht)
  file(COPY_FILE ${CPACK_TIEFSCHACHT_LICENCE} ${_doc}/GPL-3.0-or-later.txt)
endif()
