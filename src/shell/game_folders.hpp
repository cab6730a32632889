// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the game runs: the data tree it reads, and where what it writes goes.

#include <string>

namespace tiefschacht {

// Changes into the data tree: the folder of --data when `dataOption` names
// one, else the first place beside the program that holds the game's data
// (see findDataTree), never the working directory.
// When the game may not write into that tree, or it is the installed tree
// beside the program (never written, whoever runs the game), the player's
// own folder takes what the game writes: it is made when missing, the
// shipped highscore list is copied into it on the first start, and
// gamePaths names it. A player's folder that is a link, belongs to another
// user or may be written by others is refused with a message. Returns -1 when the game can start,
// else the exit code to end with (the message has been printed).
int settleGameFolders(const std::string& dataOption);

}  // namespace tiefschacht
