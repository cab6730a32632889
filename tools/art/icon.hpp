// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's icon: a mine's headframe over the shaft's mouth at dusk, a
// lantern hanging from its beam and a ladder leading down, on a rounded
// badge. One drawing in a 64 x 64 unit square, rendered at any size with
// alpha; tools/art/icon.svg is the same drawing as a scalable file.
#include "platform/seams.hpp"

namespace tiefschacht {

namespace art {

// The icon at size x size pixels; outside the badge fully transparent.
DecodedImage iconPicture(int size);

}  // namespace art

}  // namespace tiefschacht
