// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Values the game cannot use as they are: each is named by exactly one
// warning line with its file and place, which says what the game makes of
// it, and play goes on. Each run holds one damaged version of several files.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fault_game.hpp"

using namespace tiefschacht;

namespace {

struct Damage {
    std::string file, from, to, message;  // the first `from` becomes `to`; all of it when empty
};

// 16-bit mono PCM with the fields asked for (a RIFF size of 0: the real one).
std::string wav(uint16_t tag, uint16_t blockAlign, uint32_t riff, const std::string& extra,
                uint32_t held) {
    const std::string fmt =
        le(tag, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(blockAlign, 2) + le(16, 2) + extra;
    const std::string body = "WAVEfmt " + le(static_cast<uint32_t>(fmt.size()), 4) + fmt + "data" +
                             le(4410, 4) + std::string(held, '\0');
    return "RIFF" + le(riff != 0 ? riff : static_cast<uint32_t>(body.size()), 4) + body;
}

TEST(NamedDamage, EachValueTheGameCannotUseIsNamedOnceWithWhatItBecomes) {
    const std::string infinite = ", which is no finite number; it stays inactive";
    const std::string silent =
        "a WAV file in a format the game cannot play; the sound stays silent";
    const std::string list = "the list is damaged (entry 1: the name \"";
    const std::vector<Damage> damages = {
        {"Data/Resolutions.txt", "Modus 4", "Modus 7",
         "line 2: the display mode 7 is none of 1 to 4; it is taken as 1 (800 x 600)"},
        {"Data/Resolutions.txt", "puffer 1", "puffer 99",
         "line 3: a back-buffer count of 99 is outside 0 to 3; it is taken as 3"},
        {"Data/Resolutions.txt", "Vollbild) 0", "Vollbild) 7",
         "line 4: the window setting 7 is neither 0 (window) nor 1 (full screen); it stays 1 "
         "(full screen)"},
        {"Data/RenderingAndMore.txt", "Sekunde 60", "Sekunde 1e-30",
         "line 4: a frame rate of 1e-30 is below the lowest of 1 frame per second; it is taken "
         "as 1"},
        {"Data/Enemies1.txt", "X -9", "X nan", "line 2: enemy 1 has \"nan\"" + infinite},
        {"Data/Enemies1.txt", "TempoX 0.03", "TempoX -inf",
         "line 2: enemy 1 has \"-inf\"" + infinite},
        {"Data/Items.txt", "Aktion 0", "Aktion 2147483647",
         "line 2: item 1 has the action 2147483647, which no item has (0 to 4); it only gives its "
         "points"},
        {"Data/EnemyTextures.txt", "Verhalten 0", "Verhalten 2147483647",
         "line 2: enemy type 0 has the behaviour 2147483647, which no enemy has (0 to 3); its "
         "enemies stand still"},
        {"Data/GroundTextures.txt", "\nGraphics", std::string("\n\0Graphics", 10),
         "line 2: the picture name \"\\x00Graphics/Hoehle.bmp\" holds a NUL byte; the picture "
         "stays blank"},
        {"Data/Highscore.txt", "GRABWART", "ABCDEFGHIJKLMNOPQ",
         list + "ABCDEFGHIJKLMNOPQ\" is longer than 14 letters; it is cut to \"ABCDEFGHIJKLMN\")"},
        {"Data/Highscore.txt", "GRABWART", std::string("GR\0BWART", 8),
         list + "GR\\x00BWART\" holds a NUL byte; it is cut to \"GR\")"},
        {"Sound/Schritt.wav", "", wav(1, 2, 0, "", 2000),
         "the file ends 2000 bytes into the 4410 bytes of sound it announces; only those play"},
        // What the windowed mixer refuses: a block alignment of 0, a RIFF size
        // that holds no chunk, an extensible header cut short.
        {"Sound/Geld.wav", "", wav(1, 0, 0, "", 4410), silent},
        {"Sound/drip.wav", "", wav(1, 2, 4, "", 4410),
         "a damaged WAV file; the sound stays silent"},
        {"Sound/pock.wav", "", wav(0xFFFE, 2, 0, le(0, 2), 4410), silent}};
    std::vector<std::map<std::string, const Damage*>> runs;
    for (const Damage& d : damages) {  // run n takes the n-th version of each file
        size_t n = 0;
        while (n < runs.size() && runs[n].count(d.file) != 0) ++n;
        if (n == runs.size()) runs.emplace_back();
        runs[n][d.file] = &d;
    }
    for (const auto& run : runs) {
        CaseFolder c;
        std::set<std::string> files;
        for (const auto& [file, d] : run) files.insert(file);
        copyRuntimeFolder(shippedRuntime, c.game(), files);
        for (const auto& [file, d] : run) {
            std::string text = d->from.empty() ? d->to : readFile(shippedRuntime / file);
            if (!d->from.empty()) text.replace(text.find(d->from), d->from.size(), d->to);
            std::ofstream(c.game() / file, std::ios::binary) << text;
        }
        const ChildResult r = runGame(headlessRun(c, faultScript("list_then_play.txt"), 5));
        EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
        for (const auto& [file, d] : run) {
            EXPECT_EQ(occurrences(r.stderrText, "tiefschacht: " + file + ": "), 1u) << file;
            EXPECT_EQ(occurrences(r.stderrText, "tiefschacht: " + file + ": " + d->message), 1u)
                << r.describe();
        }
    }
}

}  // namespace
