// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's sound effects, each synthesised from scratch.
#include "synth.hpp"

namespace tiefschacht {

namespace synth {

Buffer coins();       // Geld: a bright two-note chime
Buffer door();        // tuer: a wooden creak and a thud
Buffer gate();        // pock: stone grinding, then a knock
Buffer drip();        // drip: a single plop
Buffer splash();      // ersauf: a swimming stroke's splash
Buffer step();        // Schritt: a soft tap
Buffer climb();       // Kletter: wooden knocks
Buffer death();       // krepier: a falling tone
Buffer birdChirps();  // Vogel1
Buffer birdTrill();   // Vogel2
Buffer owl();         // Uhu: two hoots in the cave
Buffer ghost();       // Geist: a wavering moan
Buffer vampire();     // Vampir: a low laugh and a bat's screech

}  // namespace synth

}  // namespace tiefschacht
