// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sprite_sheet.hpp"

#include <fstream>
#include <sstream>

namespace tiefschacht {

namespace art {

bool readSpriteSheet(const std::string& path, SpriteSet& sprites, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = path + ": cannot be opened";
        return false;
    }
    std::map<char, Rgb> palette;
    std::string line;
    int lineNumber = 0;
    auto fail = [&](const std::string& what) {
        error = path + ":" + std::to_string(lineNumber) + ": " + what;
        return false;
    };
    bool inPalette = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (inPalette) {
            if (word == "end") {
                inPalette = false;
                continue;
            }
            Rgb c;
            if (word.size() != 1 || !(words >> c.r >> c.g >> c.b))
                return fail("palette lines are 'c r g b'");
            palette[word[0]] = c;
        } else if (word == "palette") {
            inPalette = true;
        } else if (word == "sprite") {
            std::string name;
            if (!(words >> name)) return fail("sprite without a name");
            Image sprite(16, 16);
            for (int y = 0; y < 16; ++y) {
                if (!std::getline(in, line))
                    return fail("sprite " + name + " has fewer than 16 rows");
                ++lineNumber;
                if (line.size() != 16) return fail("sprite rows are 16 characters wide");
                for (int x = 0; x < 16; ++x) {
                    const auto c = palette.find(line[x]);
                    if (c == palette.end())
                        return fail(std::string("colour '") + line[x] + "' is not in the palette");
                    sprite.set(x, y, c->second);
                }
            }
            sprites.insert_or_assign(name, sprite);
        } else if (word == "mirror" || word == "copy") {
            std::string from, to;
            if (!(words >> from >> to)) return fail(word + " needs FROM and TO");
            const auto src = sprites.find(from);
            if (src == sprites.end()) return fail("unknown sprite " + from);
            sprites.insert_or_assign(to, word == "mirror" ? src->second.mirrored() : src->second);
        } else {
            return fail("unknown word " + word);
        }
    }
    return true;
}

}  // namespace art

}  // namespace tiefschacht
