// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Turns the level's readable sources into the game's data files:
//   Level1.map    400 lines of 22 map symbols, top row first (see zones.hpp)
//   enemies.txt   one enemy per line, positions and bounds in cells
// into Data/Level1.txt (code and symbol per cell) and Data/Enemies1.txt.
// Usage: levelgen MAP ENEMIES OUT_LEVEL OUT_ENEMIES
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "zones.hpp"

using namespace tiefschacht;

namespace {

constexpr int rows = 400;
constexpr int columns = 22;

bool readMap(const char* path, std::vector<std::string>& lines) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "levelgen: cannot open %s\n", path);
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;  // comments between rows
        if (line.size() != columns) {
            std::fprintf(stderr, "levelgen: %s:%d: %zu symbols, need %d\n", path, lineNumber,
                         line.size(), columns);
            return false;
        }
        lines.push_back(line);
    }
    if (lines.size() != rows) {
        std::fprintf(stderr, "levelgen: %s: %zu rows, need %d\n", path, lines.size(), rows);
        return false;
    }
    return true;
}

bool writeLevel(const std::vector<std::string>& lines, const char* path) {
    std::ofstream out(path);
    if (!out) {
        std::fprintf(stderr, "levelgen: cannot write %s\n", path);
        return false;
    }
    for (int i = 0; i < rows; ++i) {
        const int row = rows - 1 - i;
        for (int c = 0; c < columns; ++c) {
            const char symbol = lines[i][c];
            const auto code = levelsource::codeOfSymbol(symbol, row);
            if (!code) {
                std::fprintf(stderr, "levelgen: row %d column %d: unknown symbol '%c'\n", row, c,
                             symbol);
                return false;
            }
            out << *code << ' ' << symbol << (c + 1 < columns ? " " : "\n");
        }
    }
    return static_cast<bool>(out);
}

struct EnemySource {
    std::string name;
    int type = 0;
    double row = 0, col = 0, minCol = 0, maxCol = 0, minRow = 0, maxRow = 0;
    double speedX = 0, speedY = 0;
};

// World coordinates at the level's start (scroll -380).
double xOfColumn(double c) { return 2.0 * c - 21.0; }
double yOfRow(double r) { return 2.0 * r - 781.0; }

bool readEnemies(const char* path, std::vector<EnemySource>& enemies) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "levelgen: cannot open %s\n", path);
        return false;
    }
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        EnemySource e;
        if (!(fields >> e.name)) continue;
        if (!(fields >> e.type >> e.row >> e.col >> e.minCol >> e.maxCol >> e.minRow >> e.maxRow >>
              e.speedX >> e.speedY)) {
            std::fprintf(stderr,
                         "levelgen: %s:%d: need name type row col minCol maxCol minRow "
                         "maxRow speedX speedY\n",
                         path, lineNumber);
            return false;
        }
        enemies.push_back(e);
    }
    return true;
}

bool writeEnemies(const std::vector<EnemySource>& enemies, const char* path) {
    std::FILE* out = std::fopen(path, "w");
    if (!out) {
        std::fprintf(stderr, "levelgen: cannot write %s\n", path);
        return false;
    }
    std::fprintf(out, "Anzahl_Gegner %zu\n", enemies.size());
    for (const EnemySource& e : enemies) {
        std::fprintf(out,
                     "%s_Typ %d X %g Y %g MinX %g MaxY %g MaxX %g MinY %g TempoX %g TempoY %g\n",
                     e.name.c_str(), e.type, xOfColumn(e.col), yOfRow(e.row), xOfColumn(e.minCol),
                     yOfRow(e.maxRow), xOfColumn(e.maxCol), yOfRow(e.minRow), e.speedX, e.speedY);
    }
    const bool ok = std::fclose(out) == 0;
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: levelgen MAP ENEMIES OUT_LEVEL OUT_ENEMIES\n");
        return 2;
    }
    std::vector<std::string> lines;
    std::vector<EnemySource> enemies;
    if (!readMap(argv[1], lines) || !readEnemies(argv[2], enemies)) return 1;
    if (!writeLevel(lines, argv[3]) || !writeEnemies(enemies, argv[4])) return 1;
    return 0;
}
