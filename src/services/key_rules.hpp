// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game does with the keys the keyboard poll found, in every state:
// Escape leads to the exit screen, Page Up and Page Down set the volume, the
// letters and Backspace edit the typed name, Pause pauses. The frame loop
// applies them right after the polls, in this order. And what leaving the
// window does: the keys are let go, and a game in play pauses.

namespace tiefschacht {

// Escape, held: the exit screen, in every poll while it is down.
void leaveWithEscape();
// Page Up / Page Down, held: the master volume up or down by 10 in every poll,
// within the output's range.
void changeVolumeWithKeys();
// Each letter, once per press, goes into the name, those pressed in the same
// poll in alphabetical order; Backspace, once per press, takes the last back.
void editNameWithKeys();
// Pause, once per press: pauses or resumes the game.
void togglePauseWithKey();

// All of the above, in that order.
void applyKeyRules();

// The window lost the keyboard focus or was minimised: from now on the polls
// read no key, button or motion, and a game in play is paused by a press of
// the Pause key in the next poll (Pause resumes it).
void leaveWindow();
// The focus is back: the polls read the devices again, so only the keys held
// now count.
void returnToWindow();

}  // namespace tiefschacht
