// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a sound file: a regular file of bounded size holding a WAV file
// the game can play (RIFF/WAVE with a plausible PCM or float format chunk
// and a data chunk), short enough that its copy in the mixer stays bounded.
// The checks are the windowed mixer's, so that a headless run refuses what a
// windowed one would.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tiefschacht {

// The largest sound file read.
constexpr size_t soundFileLimit = size_t{64} << 20;
// The most a sound may take once converted for the output (44.1 kHz, 16-bit
// stereo): a little over six minutes. The title music, the longest sound of
// the game, takes about a tenth of it.
constexpr uint64_t convertedSoundLimit = uint64_t{64} << 20;

// Whether the bytes are a WAV file the game can play, by the rules of the
// windowed mixer: `error` says why not. A file that ends inside its sound
// data can be played as far as it goes; `note` (when given) then says so.
bool checkWav(std::string_view bytes, std::string& error, std::string* note = nullptr);

// Reads a sound file into `bytes` and checks it; false (with `error`) when
// it cannot be read or is not a WAV file the game can play. A file that can
// be played only in part is read, with what is missing said in `error`.
bool readSoundFile(const std::string& path, std::string& bytes, std::string& error);

// The same for an output that loads it: false as well while the output is
// not open.
bool readSoundFileFor(bool outputOpen, const std::string& path, std::string& bytes,
                      std::string& error);

}  // namespace tiefschacht
