// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The sounds of play that no event triggers: the shaft's background by
// depth, and the hero's own steps, climbing and swimming strokes.

namespace tiefschacht {

// Random background sounds by depth; a number is drawn only for a band the
// scroll lies in.
void playAmbientSounds();
// Footsteps, climbing and swimming strokes from the previous frame's motion.
void playMovementSounds();

}  // namespace tiefschacht
