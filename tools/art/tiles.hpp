// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 32 x 32 ground tiles, drawn by code: backgrounds, walls, ladders,
// water, the door, the gate, the checkpoint and the border stone.
#include "image.hpp"

namespace tiefschacht {

namespace art {

constexpr int tileSize = 32;

enum class ZoneLook { Waldrand, Hoehle, Gruft, Gewoelbe };

Image backgroundTile(ZoneLook zone);
Image decoratedBackgroundTile(ZoneLook zone);  // roots, drips, a candle, a chain
Image skyTile();
Image wallTile(ZoneLook zone);
Image wallVariantTile(ZoneLook zone);  // grass top, moss, bones, gold trim
Image ladderTile(ZoneLook zone);
Image borderStoneTile();
Image waterTile(bool still);
Image openedPassageTile();
Image checkpointTile();
Image doorTile();
Image gateTile();

// A 16 x 16 sprite drawn at twice the size over a background tile.
Image itemTile(const Image& background, const Image& sprite16);

}  // namespace art

}  // namespace tiefschacht
