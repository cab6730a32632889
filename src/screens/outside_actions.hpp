// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The actions that leave the game: the manual and the web site, opened by
// the desktop, and closing.
#include <string>

namespace tiefschacht {

constexpr const char* manualPath = "Data/Spielanleitung.htm";

// The manual as a file:// address of the absolute path of Data/Spielanleitung.htm.
void openManual();
// The maker's web site, then the close request.
void openWebSiteAndClose();

// http:// followed by the web-site host.
std::string webSiteAddress();
// A file:// address for an absolute path, with every byte that may not stand
// in a URL path percent-encoded.
std::string fileAddress(const std::string& absolutePath);

}  // namespace tiefschacht
