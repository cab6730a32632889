// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Values the game cannot use as they are: each is named by exactly one
// warning line with its file and place, which says what the game makes of
// it, and play goes on. The runs put one damaged version of several files
// into one runtime copy each.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fault_game.hpp"

using namespace tiefschacht;

namespace {

struct Damage {
    std::string file, text, message;
};

std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
}

// 16-bit mono PCM at 22050 Hz with its fields as asked.
std::string wav(uint16_t tag, uint16_t blockAlign, uint32_t riffSize, const std::string& extra,
                uint32_t held, uint32_t announced) {
    const std::string fmt =
        le(tag, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(blockAlign, 2) + le(16, 2) + extra;
    std::string body = "WAVEfmt " + le(static_cast<uint32_t>(fmt.size()), 4) + fmt + "data" +
                       le(announced, 4) + std::string(held, '\0');
    const uint32_t riff = riffSize != 0 ? riffSize : static_cast<uint32_t>(body.size());
    return "RIFF" + le(riff, 4) + body;
}

std::string resolutions(const std::string& mode, const std::string& buffers,
                        const std::string& window) {
    return "Bildschirmmodus: 1=800x600x16 2=800x600x32 3=1024x768x16 4=1024x768x32\nModus " + mode +
           "\nHintergrundpuffer " + buffers + "\nVollbild(0=Fenster,1=Vollbild) " + window + "\n";
}

std::string rendering(const std::string& rate) {
    return "Darstellung Vertexverarbeitung 0=reine_Hardware,1=Hardware,2=gemischt,3=Software "
           "gewaehlt:\nModus 1\nBildratenbegrenzung(0=aus,1=an) 1\nBilderProSekunde " +
           rate + "\nReserve 0\n";
}

std::string enemy(const std::string& x, const std::string& speedX) {
    return "Anzahl_Gegner 1\nSchnecke_Typ 0 X " + x +
           " Y 1 MinX -15 MaxY 1 MaxX -5 MinY 1 TempoX " + speedX + " TempoY 0\n";
}

std::string list(const std::string& firstName) {
    return firstName + " 900\nB 800\nC 700\nD 600\nE 500\nF 400\nG 300\nH 200\nI 100\nJ 50\n";
}

TEST(NamedDamage, EachValueTheGameCannotUseIsNamedOnceWithWhatItBecomes) {
    const std::string mode = "line 2: the display mode ";
    const std::string rate = " is below the lowest of 1 frame per second; it is taken as 1";
    const std::string nonFinite = ", which is no finite number; it stays inactive";
    const std::string unplayable = "a WAV file in a format the game cannot play";
    const std::vector<Damage> damages = {
        {"Data/Resolutions.txt", resolutions("0", "1", "0"),
         mode + "0 is none of 1 to 4; it is taken as 1 (800 x 600)"},
        {"Data/Resolutions.txt", resolutions("7", "1", "0"),
         mode + "7 is none of 1 to 4; it is taken as 1 (800 x 600)"},
        {"Data/Resolutions.txt", resolutions("-3", "1", "0"),
         mode + "-3 is none of 1 to 4; it is taken as 1 (800 x 600)"},
        {"Data/Resolutions.txt", resolutions("2147483647", "1", "0"),
         mode + "2147483647 is none of 1 to 4; it is taken as 1 (800 x 600)"},
        {"Data/Resolutions.txt", resolutions("4", "99", "0"),
         "line 3: a back-buffer count of 99 is outside 0 to 3; it is taken as 3"},
        {"Data/Resolutions.txt", resolutions("4", "1", "7"),
         "line 4: the window setting 7 is neither 0 (window) nor 1 (full screen); it stays 1 "
         "(full screen)"},
        {"Data/RenderingAndMore.txt", rendering("1e-30"), "line 4: a frame rate of 1e-30" + rate},
        {"Data/RenderingAndMore.txt", rendering("1e-7"), "line 4: a frame rate of 1e-7" + rate},
        {"Data/RenderingAndMore.txt", rendering("1e-6"), "line 4: a frame rate of 1e-6" + rate},
        {"Data/Enemies1.txt", enemy("nan", "0.03"), "line 2: enemy 1 has \"nan\"" + nonFinite},
        {"Data/Enemies1.txt", enemy("-inf", "0.03"), "line 2: enemy 1 has \"-inf\"" + nonFinite},
        {"Data/Enemies1.txt", enemy("1", "nan"), "line 2: enemy 1 has \"nan\"" + nonFinite},
        {"Data/Items.txt", "Anzahl 1\nMuenze_Code 23 Ersatz 5 Aktion 2147483647 Punkte 50\n",
         "line 2: item 1 has the action 2147483647, which no item has (0 to 4); it only gives "
         "its points"},
        {"Data/EnemyTextures.txt",
         "Anzahl 1\nSchnecke_Bilder 1 Verhalten 2147483647 Additiv 0\nGraphics/Schnecke1.bmp\n",
         "line 2: enemy type 0 has the behaviour 2147483647, which no enemy has (0 to 3); its "
         "enemies stand still"},
        {"Data/GroundTextures.txt", std::string("Anzahl 1\n\0Graphics/Erde.bmp\n", 28),
         "line 2: the picture name \"\\x00Graphics/Erde.bmp\" holds a NUL byte; the picture "
         "stays blank"},
        {"Data/Highscore.txt", list("ABCDEFGHIJKLMNOPQ"),
         "the list is damaged (entry 1: the name \"ABCDEFGHIJKLMNOPQ\" is longer than 14 letters; "
         "it is cut to \"ABCDEFGHIJKLMN\")"},
        {"Data/Highscore.txt", list(std::string("AB\0CD", 5)),
         "the list is damaged (entry 1: the name \"AB\\x00CD\" holds a NUL byte; it is cut to "
         "\"AB\")"},
        {"Sound/Schritt.wav", wav(1, 2, 0, "", 2000, 4410),
         "the file ends 2000 bytes into the 4410 bytes of sound it announces; only those play"},
        {"Sound/Geld.wav", wav(1, 0, 0, "", 4410, 4410), unplayable + "; the sound stays silent"},
        {"Sound/drip.wav", wav(1, 2, 4, "", 4410, 4410),
         "a damaged WAV file; the sound stays silent"},
        {"Sound/pock.wav", wav(0xFFFE, 2, 0, le(0, 2), 4410, 4410),
         unplayable + "; the sound stays silent"},
    };
    // Run n takes the n-th damaged version of each file.
    std::vector<std::map<std::string, const Damage*>> runs;
    for (const Damage& d : damages) {
        size_t n = 0;
        while (n < runs.size() && runs[n].count(d.file)) ++n;
        if (n == runs.size()) runs.emplace_back();
        runs[n][d.file] = &d;
    }
    for (const auto& run : runs) {
        CaseFolder c;
        std::set<std::string> files;
        for (const auto& [file, damage] : run) files.insert(file);
        copyRuntimeFolder(shippedRuntime, c.game(), files);
        for (const auto& [file, damage] : run)
            std::ofstream(c.game() / file, std::ios::binary) << damage->text;
        ChildOptions options = headlessRun(c, faultScript("list_then_play.txt"), 5);
        options.timeoutSeconds = 60;
        const ChildResult r = runGame(options);
        EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
        for (const auto& [file, damage] : run) {
            const std::string named = "tiefschacht: " + file + ": ";
            size_t lines = 0;
            for (size_t at = r.stderrText.find(named); at != std::string::npos;
                 at = r.stderrText.find(named, at + 1))
                ++lines;
            EXPECT_EQ(lines, 1u) << file << "\n" << r.describe();
            EXPECT_NE(r.stderrText.find(named + damage->message), std::string::npos)
                << damage->message << "\n"
                << r.describe();
        }
    }
}

}  // namespace
