// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title music: a calm, slightly eerie piece over a bass line that loops
// without a seam.
#include "synth.hpp"

namespace tiefschacht {

namespace synth {

Buffer titleMusic();

}  // namespace synth

}  // namespace tiefschacht
