// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws every picture of the game into OUT_DIR (the runtime folder's
// Graphics/): art SPRITE_DIR OUT_DIR [STAMP]
// The names follow Data/GroundTextures.txt and Data/EnemyTextures.txt.
// Draws the icon as PNG with alpha, in the freedesktop icon theme layout under
// ICON_ROOT and as a 64 x 64 copy for the window: art --icons ICON_ROOT COPY
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "glow.hpp"
#include "icon.hpp"
#include "platform/application_id.hpp"
#include "platform/backends.hpp"
#include "platform/picture_files.hpp"
#include "scenes.hpp"
#include "sprite_sheet.hpp"
#include "tiles.hpp"
#include "ui.hpp"

using namespace tiefschacht;

namespace {

using namespace art;

struct Writer {
    std::string dir;
    int written = 0;
    bool ok = true;
    void operator()(const std::string& name, const Image& image) {
        if (!writeBmp(dir + "/" + name + ".bmp", image)) {
            std::fprintf(stderr, "art: cannot write %s/%s.bmp\n", dir.c_str(), name.c_str());
            ok = false;
        }
        ++written;
    }
};

constexpr const char* zoneNames[] = {"Wald", "Hoehle", "Gruft", "Gewoelbe"};
constexpr ZoneLook zoneLooks[] = {ZoneLook::Waldrand, ZoneLook::Hoehle, ZoneLook::Gruft,
                                  ZoneLook::Gewoelbe};

void writeTiles(Writer& out, const SpriteSet& sprites) {
    out("Waldboden", backgroundTile(ZoneLook::Waldrand));
    out("Hoehle", backgroundTile(ZoneLook::Hoehle));
    out("Gruft", backgroundTile(ZoneLook::Gruft));
    out("Gewoelbe", backgroundTile(ZoneLook::Gewoelbe));
    out("Wurzeln", decoratedBackgroundTile(ZoneLook::Waldrand));
    out("HoehleTropfen", decoratedBackgroundTile(ZoneLook::Hoehle));
    out("GruftKerze", decoratedBackgroundTile(ZoneLook::Gruft));
    out("GewoelbeKette", decoratedBackgroundTile(ZoneLook::Gewoelbe));
    out("Himmel", skyTile());
    out("Erde", wallTile(ZoneLook::Waldrand));
    out("Grasnarbe", wallVariantTile(ZoneLook::Waldrand));
    out("Fels", wallTile(ZoneLook::Hoehle));
    out("FelsMoos", wallVariantTile(ZoneLook::Hoehle));
    out("Gruftstein", wallTile(ZoneLook::Gruft));
    out("GruftKnochen", wallVariantTile(ZoneLook::Gruft));
    out("Ziegel", wallTile(ZoneLook::Gewoelbe));
    out("ZiegelGold", wallVariantTile(ZoneLook::Gewoelbe));
    out("Randstein", borderStoneTile());
    out("Wasser", waterTile(false));
    out("WasserStill", waterTile(true));
    out("Durchgang", openedPassageTile());
    out("Rastplatz", checkpointTile());
    out("Tuer", doorTile());
    out("Gitter", gateTile());
    for (int z = 0; z < 4; ++z) {
        out(std::string("Leiter") + zoneNames[z], ladderTile(zoneLooks[z]));
        const Image back = backgroundTile(zoneLooks[z]);
        for (const char* item : {"Muenze", "Edelstein", "Schluessel", "Herz", "Hebel"}) {
            out(std::string(item) + zoneNames[z], itemTile(back, sprites.at(item)));
        }
    }
    out("Schatz", itemTile(backgroundTile(ZoneLook::Gewoelbe), sprites.at("Schatz")));
}

void writeSprites(Writer& out, const SpriteSet& sprites) {
    // Everything drawn over the scene at twice the size; black stays see-through.
    for (const auto& [name, image] : sprites) {
        if (name.rfind("Hero", 0) == 0 || name == "Cursor") out(name, image.scaledUp(2));
    }
    for (const char* type :
         {"Schnecke", "Kraehe", "Kaefer", "Fledermaus", "Spinne", "Skelett", "Geist", "Vampir"}) {
        for (int f = 1; f <= 8; ++f) {
            const std::string name = type + std::to_string(f);
            if (sprites.count(name)) out(name, sprites.at(name).scaledUp(2));
        }
    }
    out("Schluessel", sprites.at("SchluesselSymbol").scaledUp(2));
}

void writeGlowingThings(Writer& out) {
    for (int f = 0; f < 9; ++f) out("wasser" + std::to_string(f + 1), waterOverlay(f));
    for (int f = 0; f < 4; ++f) out("Irrlicht" + std::to_string(f + 1), wispFrame(f));
    for (int f = 0; f < 2; ++f) {
        out("Laterne" + std::to_string(f + 1), lanternFrame(f));
        out("Laterne" + std::to_string(f + 3), lanternFrame(f).mirrored());
        out("Flamme" + std::to_string(f + 1), flameFrame(f));
        out("Flamme" + std::to_string(f + 3), flameFrame(f).mirrored());
    }
}

int writeIcons(const std::string& root, const std::string& copy) {
    auto writer = createSdlImageDecoder();
    auto write = [&](const std::filesystem::path& path, int size) {
        std::filesystem::create_directories(path.parent_path());
        std::string error;
        if (writePictureFile(*writer, path.string(), iconPicture(size), error)) return true;
        std::fprintf(stderr, "art: cannot write %s: %s\n", path.c_str(), error.c_str());
        return false;
    };
    bool ok = true;
    for (int size : {32, 48, 64, 128, 256}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        ok = write(root + "/hicolor/" + folder + "/apps/" + applicationId + ".png", size) && ok;
    }
    ok = write(copy, 64) && ok;
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icons") return writeIcons(argv[2], argv[3]);
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: art SPRITE_DIR OUT_DIR [STAMP] | art --icons ICON_ROOT COPY\n");
        return 2;
    }
    SpriteSet sprites;
    for (const char* sheet : {"hero.txt", "enemies.txt", "items.txt"}) {
        std::string error;
        if (!readSpriteSheet(std::string(argv[1]) + "/" + sheet, sprites, error)) {
            std::fprintf(stderr, "art: %s\n", error.c_str());
            return 1;
        }
    }
    std::filesystem::create_directories(argv[2]);
    Writer out{argv[2]};
    writeTiles(out, sprites);
    writeSprites(out, sprites);
    writeGlowingThings(out);
    out("ButtonLeft", buttonPiece(ButtonPiece::Left));
    out("ButtonMid", buttonPiece(ButtonPiece::Middle));
    out("ButtonRight", buttonPiece(ButtonPiece::Right));
    out("Titelbild", titlePicture());
    out("Gewonnen", wonPicture(sprites.at("Hero1"), sprites.at("Schatz")));
    if (!out.ok) return 1;
    if (argc > 3) std::ofstream(argv[3]) << out.written << " pictures\n";
    std::printf("art: %d pictures in %s\n", out.written, argv[2]);
    return 0;
}
