// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "platform/graphics_device.hpp"
#include "platform/headless/input_script.hpp"
#include "platform/software/graphics_system.hpp"
#include "shell/input_recorder.hpp"
#include "shell/program.hpp"
#include "support/scratch_folder.hpp"
#include "unit/world/test_support.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::writeFile;

namespace {
// A runtime folder: the built game's own when it has a level, else a small
// one with open cells, one enemy and one item.
void makeRuntimeFolder(const fs::path& dir) {
    fs::create_directories(dir / "Data");
    fs::path built = TIEFSCHACHT_GAME_DIR;
    if (fs::exists(built / "Data/Level1.txt")) {
        for (const char* sub : {"Data", "Graphics", "Sound"})
            if (fs::exists(built / sub))
                fs::copy(built / sub, dir / sub,
                         fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    } else {
        fs::path here = fs::current_path();
        fs::current_path(dir);
        worldtest::writeGameFiles();
        fs::current_path(here);
    }
    writeFile(dir / "Data/Resolutions.txt", "a b c d e f 1 Puffer 1 Vollbild 0\n");
    writeFile(dir / "Data/RenderingAndMore.txt", "a b c d e 3 Bremse 1 Bilder 60 Rest 0\n");
    writeFile(dir / "Data/SpielEinstellungen.txt", "Sichtweite 1000\n");
}

struct Args {
    explicit Args(std::vector<std::string> list) : words(std::move(list)) {
        words.insert(words.begin(), "tiefschacht");
        for (std::string& w : words) pointers.push_back(w.data());
        pointers.push_back(nullptr);
    }
    int run() { return runProgram(static_cast<int>(words.size()), pointers.data()); }
    std::vector<std::string> words;
    std::vector<char*> pointers;
};

bool piecesPresent() {
    InputScript probe;
    std::string error;
    return createSoftwareGraphicsSystem(nullptr, 800, 600) != nullptr &&
           probe.parse("2 Left 1 0 L\n", error) && probe.totalPolls() == 2;
}
}  // namespace

TEST(ShellRecordReplay, ARecordedRunReplaysToTheSameState) {
    if (!piecesPresent()) GTEST_SKIP() << "needs the software device and the input scripts";
    testsupport::ScratchFolder dir;
    // The cursor onto the title's "Spielen" and click, then onto the main
    // menu's "Spiel starten" and click; then walk, jump and climb.
    writeFile("script.txt",
              "# to the main menu and into play\n"
              "10 -\n40 - -5 0\n10 - 0 -7\n3 - 0 0 L\n20 -\n20 - 7 0\n40 - 0 13\n3 - 0 0 L\n20 -\n"
              "40 Right\n10 Right+Space\n30 Left\n20 Down\n20 Up\n5 Space\n60 Left\n");
    makeRuntimeFolder(dir.path() / "first");
    makeRuntimeFolder(dir.path() / "second");

    // --data changes the working directory, so every name is absolute.
    auto at = [&](const char* name) { return (dir.path() / name).string(); };
    Args first{{"--headless", "--data", at("first"), "--frames", "400", "--input", at("script.txt"),
                "--record", at("recorded.txt"), "--dump-state", at("first.json")}};
    ASSERT_EQ(first.run(), 0);
    Args second{{"--headless", "--data", at("second"), "--frames", "400", "--input",
                 at("recorded.txt"), "--dump-state", at("second.json")}};
    ASSERT_EQ(second.run(), 0);
    std::filesystem::current_path(dir.path());

    nlohmann::json a = nlohmann::json::parse(readFile("first.json"));
    nlohmann::json b = nlohmann::json::parse(readFile("second.json"));
    EXPECT_EQ(a["frames"], 400);
    EXPECT_EQ(a, b);
    // The recording has one poll per frame, as runs of equal snapshots.
    InputScript recorded;
    std::string error;
    ASSERT_TRUE(recorded.parse(readFile("recorded.txt"), error)) << error;
    EXPECT_EQ(recorded.totalPolls(), 400u);
    EXPECT_EQ(readFile("first/Data/Highscore.txt"), readFile("second/Data/Highscore.txt"));
}

TEST(ShellRecordReplay, EqualSnapshotsShareOneLine) {
    InputRecorder r;
    KeyboardSnapshot none{};
    MouseSnapshot still;
    MouseSnapshot moved;
    moved.dx = 3;
    moved.dy = -2;
    moved.buttons[0] = 0x80;
    if (InputScript::describe(none, 0, 0, false) == InputScript::describe(none, 3, -2, true))
        GTEST_SKIP() << "needs the input-script format";
    r.capture(none, still);
    r.capture(none, still);
    r.capture(none, moved);
    r.capture(none, still);
    EXPECT_EQ(r.polls(), 4u);
    std::string expected = "2 " + InputScript::describe(none, 0, 0, false) + "\n1 " +
                           InputScript::describe(none, 3, -2, true) + "\n1 " +
                           InputScript::describe(none, 0, 0, false) + "\n";
    std::string text = r.text();
    EXPECT_EQ(text.substr(text.find('\n') + 1), expected);  // after the comment line
    EXPECT_EQ(text[0], '#');
}
