#include "tiles.hpp"

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
        case ZoneLook::Waldrand: return {{82, 58, 38}, {48, 32, 22}, {140, 98, 60}, {92, 60, 36}, {70, 150, 52}, 11};
        case ZoneLook::Hoehle: return {{46, 54, 68}, {24, 28, 38}, {104, 114, 130}, {58, 64, 80}, {70, 120, 60}, 23};
        case ZoneLook::Gruft: return {{56, 52, 48}, {30, 28, 26}, {134, 126, 112}, {78, 72, 64}, {200, 196, 176}, 37};
        case ZoneLook::Gewoelbe: return {{60, 24, 24}, {30, 10, 12}, {150, 56, 44}, {86, 28, 24}, {230, 186, 60}, 41};
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
            const int x0 = std::max(0, bx + offset), x1 = std::min(tileSize, bx + offset + blockWidth);
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
            t.set(rail, y, metal ? mix(wood, {255, 255, 255}, 0.3) : mix(wood, {255, 255, 255}, 0.15));
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
            const int x = 3 + static_cast<int>(hashNoise(i, 3, 8) * 26), y = 3 + static_cast<int>(hashNoise(i, 4, 8) * 26);
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
                if (zone == ZoneLook::Waldrand && hashNoise(x, 2, p.seed) < 0.3) t.set(x, depth, scale(p.accent, 0.6));
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
            t.set(x, y, still ? mix({10, 30, 48}, {22, 52, 72}, n) : mix({14, 44, 62}, {30, 78, 96}, n));
        }
    t.makeOpaque();
    return t;
}

// The opened passage and the resting place stand in every zone, on one
// picture each: they are drawn on the cave background, the one most of the
// shaft's open space uses, so that they do not show as squares there.
Image openedPassageTile() {
    Image t = backgroundTile(ZoneLook::Hoehle);
    // Rubble left on the floor.
    for (int i = 0; i < 7; ++i) {
        const int x = 2 + static_cast<int>(hashNoise(i, 7, 61) * 27), y = 25 + static_cast<int>(hashNoise(i, 8, 61) * 5);
        t.fillRect(x, y, x + 3, y + 2, {90, 84, 78});
        t.set(x, y, {130, 124, 118});
    }
    t.makeOpaque();
    return t;
}

Image checkpointTile() {
    Image t = backgroundTile(ZoneLook::Hoehle);
    // A lantern on a post: the place to come back to.
    t.fillRect(15, 12, 17, 31, {96, 66, 36});
    t.fillRect(11, 29, 21, 31, {70, 48, 26});
    t.fillRect(10, 3, 22, 5, {60, 60, 66});
    t.fillRect(11, 5, 21, 13, {80, 80, 90});
    t.fillRect(12, 6, 20, 12, {255, 210, 90});
    t.fillRect(14, 7, 18, 11, {255, 250, 200});
    for (int y = 0; y < tileSize; ++y)
        for (int x = 0; x < tileSize; ++x) {
            // The glow dies away before the tile's edge.
            const double d = std::hypot(x - 16.0, y - 9.0);
            if (d > 6) t.blend(x, y, {255, 190, 80}, std::max(0.0, 0.35 * (1.0 - (d - 6.0) / 8.0)));
        }
    t.makeOpaque();
    return t;
}

Image doorTile() {
    Image t(tileSize, tileSize, {40, 26, 14});
    for (int plank = 0; plank < 4; ++plank) {
        const int x0 = 2 + plank * 7;
        for (int y = 1; y < 31; ++y)
            for (int x = x0; x < x0 + 7; ++x) {
                const double grain = tiledNoise(x * 3, y, tileSize * 3, 6, 80 + plank);
                t.set(x, y, mix({110, 70, 36}, {150, 100, 54}, grain));
            }
        for (int y = 1; y < 31; ++y) t.set(x0, y, {60, 38, 20});
    }
    for (int band : {6, 24}) {
        t.fillRect(1, band, 31, band + 3, {70, 72, 80});
        for (int x = 1; x < 31; ++x) t.set(x, band, {130, 132, 140});
        for (int x = 4; x < 31; x += 8) t.fillRect(x, band + 1, x + 2, band + 2, {180, 180, 190});
    }
    // Keyhole.
    t.fillRect(21, 13, 27, 20, {70, 72, 80});
    t.fillRect(23, 14, 25, 17, {12, 8, 6});
    t.set(23, 17, {12, 8, 6});
    t.set(24, 18, {12, 8, 6});
    bevel(t, 0, 0, tileSize, tileSize, 1.0);
    t.makeOpaque();
    return t;
}

Image gateTile() {
    Image t = noiseTile({34, 32, 34}, {16, 14, 16}, 88, 4);
    for (int bar = 0; bar < 5; ++bar) {
        const int x = 3 + bar * 6;
        for (int y = 0; y < tileSize; ++y) {
            t.set(x, y, {150, 152, 160});
            t.set(x + 1, y, {100, 102, 110});
            t.set(x + 2, y, {50, 50, 56});
        }
    }
    for (int cross : {4, 26}) {
        t.fillRect(0, cross, tileSize, cross + 3, {90, 92, 100});
        for (int x = 0; x < tileSize; ++x) t.set(x, cross, {160, 160, 170});
    }
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
