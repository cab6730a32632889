// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tiles.hpp"

namespace tiefschacht {

namespace art {
namespace {

struct ZonePalette {
    Rgb backLight, backDark;  // background
    Rgb wallLight, wallDark;  // walls
    Rgb accent;               // moss, grass, gold...
    int seed;
};

ZonePalette paletteOf(ZoneLook zone) {
    switch (zone) {
    case ZoneLook::Waldrand:
        return {{82, 58, 38}, {48, 32, 22}, {140, 98, 60}, {92, 60, 36}, {70, 150, 52}, 11};
    case ZoneLook::Hoehle:
        return {{46, 54, 68}, {24, 28, 38}, {104, 114, 130}, {58, 64, 80}, {70, 120, 60}, 23};
    case ZoneLook::Gruft:
        return {{56, 52, 48}, {30, 28, 26}, {134, 126, 112}, {78, 72, 64}, {200, 196, 176}, 37};
    case ZoneLook::Gewoelbe:
        return {{60, 24, 24}, {30, 10, 12}, {150, 56, 44}, {86, 28, 24}, {230, 186, 60}, 41};
    }
    return {};
}

// Soft, tileable texture between two colours.
Image noiseTile(Rgb light, Rgb dark, int seed, int cells) {
    Image t(tileSize, tileSize);
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const double n = 0.65 * tiledNoise(x, y, tileSize, cells, seed) +
                             0.35 * tiledNoise(x, y, tileSize, cells * 2, seed + 1);
            t.set(x, y, mix(dark, light, n));
        }
    return t;
}

// Light from the upper left: a bright rim top and left, a dark rim bottom and right.
void bevel(Image& t, int x0, int y0, int x1, int y1, double strength) {
    for (int x = x0; x < x1; ++x) {
        t.set(x, y0, mix(t.at(x, y0), {255, 255, 255}, 0.35 * strength));
        t.set(x, y1 - 1, mix(t.at(x, y1 - 1), {1, 1, 1}, 0.55 * strength));
    }
    for (int y = y0; y < y1; ++y) {
        t.set(x0, y, mix(t.at(x0, y), {255, 255, 255}, 0.25 * strength));
        t.set(x1 - 1, y, mix(t.at(x1 - 1, y), {1, 1, 1}, 0.45 * strength));
    }
}

Image rockWall(const ZonePalette& p) {
    Image t = noiseTile(p.wallLight, p.wallDark, p.seed + 100, 4);
    // A few cracks.
    for (int i = 0; i < 3; ++i) {
        int x = 4 + static_cast<int>(hashNoise(i, 1, p.seed) * 24), y = 3 + i * 9;
        for (int s = 0; s < 8; ++s) {
            t.set(x, y, mix(t.at(x, y), {1, 1, 1}, 0.45));
            x += hashNoise(i, s, p.seed) < 0.5 ? 1 : -1;
            y += 1;
        }
    }
    bevel(t, 0, 0, tileSize, tileSize, 1.0);
    return t;
}

Image blockWall(const ZonePalette& p, int rows, int blockWidth, double mortar) {
    Image t = noiseTile(p.wallLight, p.wallDark, p.seed + 200, 4);
    const int h = tileSize / rows;
    for (int r = 0; r < rows; ++r) {
        const int offset = (r % 2) * blockWidth / 2;
        for (int bx = -blockWidth; bx < tileSize + blockWidth; bx += blockWidth) {
            const int x0 = std::max(0, bx + offset),
                      x1 = std::min(tileSize, bx + offset + blockWidth);
            if (x0 >= x1) continue;
            const double shade = 0.85 + 0.3 * hashNoise(bx + offset, r, p.seed);
            for (int y = r * h; y < (r + 1) * h; ++y)
                for (int x = x0; x < x1; ++x) t.set(x, y, scale(t.at(x, y), shade));
            bevel(t, x0, r * h, x1, (r + 1) * h, mortar);
        }
    }
    return t;
}

void drawLadder(Image& t, Rgb wood, Rgb dark, bool metal) {
    const int rails[2] = {6, 24};
    for (int rail : rails)
        for (int y = 0; y < tileSize; ++y) {
            t.set(rail - 1, y, dark);
            t.set(rail, y,
                  metal ? mix(wood, {255, 255, 255}, 0.3) : mix(wood, {255, 255, 255}, 0.15));
            t.set(rail + 1, y, wood);
            t.set(rail + 2, y, dark);
        }
    for (int rung : {6, 22}) {
        for (int x = rails[0] + 2; x < rails[1]; ++x) {
            t.set(x, rung - 1, mix(wood, {255, 255, 255}, 0.2));
            t.set(x, rung, wood);
            t.set(x, rung + 1, dark);
        }
    }
}

}  // namespace

Image backgroundTile(ZoneLook zone) {
    const ZonePalette p = paletteOf(zone);
    Image t = noiseTile(p.backLight, p.backDark, p.seed, 4);
    if (zone == ZoneLook::Gruft || zone == ZoneLook::Gewoelbe) {
        // Worked stone and brick show their joints faintly.
        const int rows = zone == ZoneLook::Gruft ? 2 : 4;
        const int h = tileSize / rows;
        for (int r = 0; r < rows; ++r) {
            for (int x = 0; x < tileSize; ++x) t.set(x, r * h, scale(t.at(x, r * h), 0.7));
            const int joint = (r % 2) * 16 + (zone == ZoneLook::Gruft ? 8 : 4);
            for (int y = r * h; y < (r + 1) * h; ++y) t.set(joint, y, scale(t.at(joint, y), 0.7));
        }
    }
    t.makeOpaque();
    return t;
}

Image decoratedBackgroundTile(ZoneLook zone) {
    const ZonePalette p = paletteOf(zone);
    Image t = backgroundTile(zone);
    switch (zone) {
    case ZoneLook::Waldrand:  // roots hanging from above
        for (int r = 0; r < 3; ++r) {
            int x = 6 + r * 10;
            for (int y = 0; y < 20 + r * 4; ++y) {
                t.set(x, y, {120, 86, 50});
                t.set(x + 1, y, {86, 60, 36});
                if (hashNoise(r, y, 5) < 0.2) x += hashNoise(y, r, 6) < 0.5 ? 1 : -1;
            }
        }
        break;
    case ZoneLook::Hoehle:  // moss and a drip stain
        for (int x = 0; x < tileSize; ++x)
            for (int y = 0; y < 3 + static_cast<int>(hashNoise(x, 0, 9) * 3); ++y)
                t.set(x, y, mix(p.accent, p.backDark, y * 0.15));
        for (int y = 4; y < 26; ++y) t.set(18, y, mix(t.at(18, y), {120, 150, 190}, 0.35));
        t.set(18, 27, {150, 190, 230});
        t.set(18, 28, {110, 150, 200});
        break;
    case ZoneLook::Gruft:  // a candle in a niche
        t.fillRect(10, 8, 22, 28, {22, 20, 18});
        t.fillRect(14, 16, 18, 27, {226, 218, 190});
        t.fillRect(17, 16, 18, 27, {180, 170, 150});
        t.fillRect(15, 12, 17, 16, {255, 200, 80});
        t.set(15, 11, {255, 240, 160});
        for (int y = 8; y < 28; ++y)
            for (int x = 10; x < 22; ++x) {
                const double d = std::hypot(x - 15.5, y - 13.0);
                t.blend(x, y, {255, 170, 60}, std::max(0.0, 0.35 - d * 0.04));
            }
        break;
    case ZoneLook::Gewoelbe:  // a hanging chain
        for (int y = 0; y < tileSize; y += 6) {
            t.fillRect(14, y, 18, y + 4, {150, 150, 160});
            t.fillRect(15, y + 1, 17, y + 3, {60, 60, 70});
            t.fillRect(15, y + 4, 17, y + 6, {110, 110, 120});
        }
        break;
    }
    t.makeOpaque();
    return t;
}

Image skyTile() {
    Image t(tileSize, tileSize);
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const double cloud = tiledNoise(x, y, tileSize, 2, 77);
            t.set(x, y, mix({112, 164, 220}, {200, 222, 244}, std::max(0.0, cloud - 0.55) * 2.0));
        }
    return t;
}

Image wallTile(ZoneLook zone) {
    const ZonePalette p = paletteOf(zone);
    Image t = zone == ZoneLook::Gruft      ? blockWall(p, 2, 16, 1.0)
              : zone == ZoneLook::Gewoelbe ? blockWall(p, 4, 12, 1.2)
                                           : rockWall(p);
    if (zone == ZoneLook::Waldrand) {
        // Pebbles in the earth.
        for (int i = 0; i < 5; ++i) {
            const int x = 3 + static_cast<int>(hashNoise(i, 3, 8) * 26),
                      y = 3 + static_cast<int>(hashNoise(i, 4, 8) * 26);
            t.fillRect(x, y, x + 3, y + 2, {150, 140, 130});
            t.set(x, y, {190, 180, 170});
        }
    }
    t.makeOpaque();
    return t;
}

Image wallVariantTile(ZoneLook zone) {
    const ZonePalette p = paletteOf(zone);
    Image t = wallTile(zone);
    switch (zone) {
    case ZoneLook::Waldrand:  // grass on top
    case ZoneLook::Hoehle:    // moss on top
        for (int x = 0; x < tileSize; ++x) {
            const int depth = 5 + static_cast<int>(hashNoise(x, 1, p.seed) * 4);
            for (int y = 0; y < depth; ++y)
                t.set(x, y, mix(mix(p.accent, {255, 255, 200}, 0.25), p.accent, y / double(depth)));
            if (zone == ZoneLook::Waldrand && hashNoise(x, 2, p.seed) < 0.3)
                t.set(x, depth, scale(p.accent, 0.6));
        }
        break;
    case ZoneLook::Gruft:  // a bone set into the stone
        t.fillRect(7, 14, 25, 18, p.accent);
        t.fillRect(5, 12, 9, 20, p.accent);
        t.fillRect(23, 12, 27, 20, p.accent);
        for (int x = 7; x < 25; ++x) t.set(x, 17, scale(p.accent, 0.75));
        break;
    case ZoneLook::Gewoelbe:  // gold trim
        for (int x = 0; x < tileSize; ++x) {
            t.set(x, 1, mix(p.accent, {255, 255, 255}, 0.4));
            t.set(x, 2, p.accent);
            t.set(x, 3, scale(p.accent, 0.7));
        }
        break;
    }
    t.makeOpaque();
    return t;
}

Image ladderTile(ZoneLook zone) {
    Image t = backgroundTile(zone);
    switch (zone) {
    case ZoneLook::Waldrand: drawLadder(t, {170, 120, 70}, {70, 44, 24}, false); break;
    case ZoneLook::Hoehle: drawLadder(t, {150, 104, 60}, {60, 38, 22}, false); break;
    case ZoneLook::Gruft: drawLadder(t, {120, 124, 132}, {40, 42, 48}, true); break;
    case ZoneLook::Gewoelbe: drawLadder(t, {180, 150, 70}, {70, 50, 20}, true); break;
    }
    t.makeOpaque();
    return t;
}

Image borderStoneTile() {
    Image t = noiseTile({70, 70, 76}, {36, 36, 42}, 91, 4);
    bevel(t, 0, 0, tileSize, tileSize, 1.0);
    bevel(t, 2, 2, tileSize - 2, tileSize - 2, 0.5);
    t.makeOpaque();
    return t;
}

Image waterTile(bool still) {
    Image t(tileSize, tileSize);
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const double n = tiledNoise(x, y, tileSize, 4, still ? 55 : 54);
            t.set(x, y,
                  still ? mix({10, 30, 48}, {22, 52, 72}, n) : mix({14, 44, 62}, {30, 78, 96}, n));
        }
    t.makeOpaque();
    return t;
}

namespace {

// The framed objects (the opened passage, the resting place, the door and
// the gate) use one picture in every zone, so none of them carries a zone's
// background: each fills its tile with dressed stone around its own opening,
// like a doorway built into the shaft, and reads the same on earth, rock,
// crypt stone, brick and sky.
constexpr Rgb frameLight{150, 144, 132}, frameDark{88, 84, 78};
constexpr int framePost = 4;    // width of the side posts
constexpr int frameLintel = 5;  // height of the lintel

// Whether (x, y) lies in the opening of the frame: between the posts, below
// the lintel, or below the round arch when `arched`.
bool inOpening(int x, int y, bool arched) {
    if (x < framePost || x >= tileSize - framePost || y < frameLintel) return false;
    if (!arched) return true;
    const double half = (tileSize - 2 * framePost) / 2.0;
    const double cy = frameLintel + half;  // the arch's centre
    return y >= cy || std::hypot(x + 0.5 - tileSize / 2.0, y + 0.5 - cy) <= half;
}

// The stone frame: blocks with joints and a bevel lit from the upper left;
// the opening is left as it is for the caller to fill.
Image stoneFrame() {
    Image t = noiseTile(frameLight, frameDark, 131, 4);
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            const bool joint = (y % 8 == 7 && (x < framePost || x >= tileSize - framePost)) ||
                               (y == frameLintel - 1) || (y < frameLintel && x % 11 == 10);
            if (joint) t.set(x, y, scale(t.at(x, y), 0.6));
        }
    bevel(t, 0, 0, tileSize, tileSize, 1.0);
    return t;
}

// Fills the opening with `inside(x, y)`, shading its upper and left rim
// where the frame casts its shadow.
template <typename Inside>
void fillOpening(Image& t, bool arched, Inside inside) {
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            if (!inOpening(x, y, arched)) continue;
            Rgb c = inside(x, y);
            if (!inOpening(x - 1, y, arched) || !inOpening(x, y - 1, arched)) c = scale(c, 0.55);
            t.set(x, y, c);
        }
}

// A band of iron three pixels high across the opening, lit along its top.
void ironBand(Image& t, int y, Rgb iron, Rgb lit) {
    t.fillRect(framePost, y, tileSize - framePost, y + 3, iron);
    t.fillRect(framePost, y, tileSize - framePost, y + 1, lit);
}

// Deep shadow that lightens a little towards the floor.
Rgb darkRecess(int, int y) { return mix({10, 9, 10}, {34, 30, 28}, y / double(tileSize)); }

}  // namespace

Image openedPassageTile() {
    // An empty archway: the way the opened door or gate has left.
    Image t = stoneFrame();
    fillOpening(t, true, darkRecess);
    for (int i = 0; i < 5; ++i) {  // a little rubble on the threshold
        const int x = framePost + 1 + static_cast<int>(hashNoise(i, 7, 61) * 20);
        t.fillRect(x, 29, x + 3, 31, {90, 84, 78});
        t.set(x, 29, {130, 124, 118});
    }
    t.makeOpaque();
    return t;
}

Image checkpointTile() {
    // A lantern burning in a stone niche: the place to come back to.
    Image t = stoneFrame();
    fillOpening(t, true, [](int x, int y) {
        const double d = std::hypot(x - 16.0, y - 15.0);
        return mix(darkRecess(x, y), {170, 110, 50}, std::max(0.0, 0.75 - d * 0.06));
    });
    t.fillRect(8, 27, 24, 29, {110, 104, 96});  // the sill
    t.fillRect(8, 27, 24, 28, {160, 154, 144});
    t.fillRect(15, 6, 17, 10, {60, 60, 66});   // the hook
    t.fillRect(11, 10, 21, 12, {60, 60, 66});  // the lantern's cap
    t.fillRect(12, 12, 20, 24, {80, 80, 90});
    t.fillRect(13, 13, 19, 23, {255, 210, 90});
    t.fillRect(14, 15, 18, 21, {255, 250, 200});
    t.fillRect(12, 24, 20, 26, {60, 60, 66});
    t.makeOpaque();
    return t;
}

Image doorTile() {
    // Oak planks with iron bands in a square stone frame.
    Image t = stoneFrame();
    fillOpening(t, false, [](int x, int y) {
        const int plank = (x - framePost) / 6;
        const double grain = tiledNoise(x * 3, y, tileSize * 3, 6, 80 + plank);
        return (x - framePost) % 6 == 0 ? Rgb{60, 38, 20}
                                        : mix({110, 70, 36}, {150, 100, 54}, grain);
    });
    for (int band : {9, 24}) {
        ironBand(t, band, {70, 72, 80}, {130, 132, 140});
        for (int x = framePost + 2; x < tileSize - framePost; x += 7)
            t.set(x, band + 1, {180, 180, 190});
    }
    // Keyhole.
    t.fillRect(20, 14, 26, 21, {70, 72, 80});
    t.fillRect(22, 15, 24, 18, {12, 8, 6});
    t.set(22, 18, {12, 8, 6});
    t.set(23, 19, {12, 8, 6});
    t.makeOpaque();
    return t;
}

Image gateTile() {
    // Iron bars across a dark opening in a square stone frame.
    Image t = stoneFrame();
    fillOpening(t, false, darkRecess);
    for (int bar = 0; bar < 4; ++bar) {
        const int x = framePost + 2 + bar * 6;
        for (int y = frameLintel; y < tileSize; ++y) {
            t.set(x, y, {150, 152, 160});
            t.set(x + 1, y, {100, 102, 110});
            t.set(x + 2, y, {50, 50, 56});
        }
    }
    for (int cross : {10, 24}) ironBand(t, cross, {90, 92, 100}, {160, 160, 170});
    t.makeOpaque();
    return t;
}

Image itemTile(const Image& background, const Image& sprite16) {
    Image t = background;
    t.paste(sprite16.scaledUp(2), 0, 0, true);
    t.makeOpaque();
    return t;
}

}  // namespace art

}  // namespace tiefschacht
