// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks the game's data files for the faults that would break a level at
// run time: codes without pictures, items without entries, enemy frames
// without textures, holes in the border, a missing or doubled level end,
// enemies that start outside their bounds, and (with the pictures) items and
// other one-of-a-kind tiles that show as squares against their neighbours.
#include <string>
#include <vector>

namespace tiefschacht {

namespace levelcheck {

struct Options {
    // Also require every picture file named by the texture lists to exist,
    // and check the pictures' edges against their neighbours (needs the
    // built runtime folder).
    bool checkPictureFiles = false;
};

// Checks the runtime folder `gameDir` (holding Data/ and, when pictures are
// checked, Graphics/). Returns one readable message per problem found; an
// empty list means the data is sound.
std::vector<std::string> checkGameData(const std::string& gameDir, const Options& options = {});

}  // namespace levelcheck

}  // namespace tiefschacht
