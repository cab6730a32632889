// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Headless runs of the whole program through the screens, driven by input
// scripts.
#include <gtest/gtest.h>

#include <algorithm>

#include "screens/outside_actions.hpp"
#include "unit/shell/e2e_runtime_folder.hpp"

using namespace tiefschacht;

namespace {

// True when `wanted` occurs in `seen` in this order (not necessarily adjacent).
bool visitedInOrder(const nlohmann::json& seen, std::vector<int> wanted) {
    size_t next = 0;
    for (const auto& v : seen)
        if (next < wanted.size() && v.get<int>() == wanted[next]) ++next;
    return next == wanted.size();
}

int countOf(const nlohmann::json& list, const std::string& what) {
    int n = 0;
    for (const auto& v : list) n += v.get<std::string>().find(what) != std::string::npos;
    return n;
}

}  // namespace

// Drawing changes nothing of the game: a run without it ends in the same
// state, frame for frame, with the same list.
TEST(EndToEnd, ARunWithoutDrawingEndsInTheSameState) {
    for (int frames : {60, 223}) {
        RuntimeFolder drawn({.displayMode = 2});
        RuntimeFolder stateOnly({.displayMode = 2});
        const std::string script = e2eScript("lost_game_to_highscore.txt");
        ASSERT_EQ(drawn.run(script, frames), 0);
        ASSERT_EQ(stateOnly.run(script, frames, {"--no-draw"}), 0);
        EXPECT_EQ(drawn.read("state.json"), stateOnly.read("state.json")) << frames;
        EXPECT_EQ(drawn.read("Data/Highscore.txt"), stateOnly.read("Data/Highscore.txt"));
    }
}

TEST(EndToEnd, LostGameIsEnteredInTheListAndLeadsBackToTheMenu) {
    // At 800 x 600 the main menu's hit rectangles run into each other; the
    // script's clicks land where only one button is drawn.
    RuntimeFolder folder({.displayMode = 2});
    ASSERT_EQ(folder.run(e2eScript("lost_game_to_highscore.txt"), 223), 0);
    const auto state = folder.dump();
    ASSERT_FALSE(state.is_discarded());

    EXPECT_EQ(state["gameState"], 50);
    EXPECT_TRUE(visitedInOrder(state["statesVisited"], {0, 50, 100, 10})) << state["statesVisited"];
    EXPECT_EQ(state["lives"], -1);
    EXPECT_EQ(state["score"], 0);  // cleared by the entry
    EXPECT_EQ(state["highscoreEligible"], 0);
    EXPECT_EQ(state["nameBuffer"], "ANNA");
    EXPECT_EQ(state["highscores"][5]["name"], "ANNA");
    EXPECT_EQ(state["highscores"][5]["score"], 500);
    EXPECT_EQ(state["highscores"][9]["name"], "TOM");
    EXPECT_EQ(state["hero"]["x"], -1.0);
    EXPECT_FALSE(state["closeRequested"].get<bool>());
    EXPECT_TRUE(state["shellRequests"].empty());
    // Four deaths, the title music stopped for the game and started again
    // at its end.
    EXPECT_EQ(countOf(state["soundsPlayed"], "krepier"), 4) << state["soundsPlayed"];
    EXPECT_GE(countOf(state["soundsPlayed"], "Titelmusik"), 2) << state["soundsPlayed"];

    EXPECT_EQ(folder.read("Data/Highscore.txt"),
              "KARL 1000\nLISA 900\nMAX 800\nNINA 700\nOTTO 600\nANNA 500\nPIA 400\n"
              "RUDI 300\nSARA 200\nTOM 100\n");

    // The same game as a benchmark: the entry shows in the list, the
    // player's file stays as it was.
    RuntimeFolder bench({.displayMode = 2});
    const std::string before = bench.read("Data/Highscore.txt");
    testing::internal::CaptureStdout();
    ASSERT_EQ(bench.run(e2eScript("lost_game_to_highscore.txt"), 223, {"--timedemo"}), 0);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(bench.dump()["highscores"][5]["name"], "ANNA");
    EXPECT_EQ(bench.read("Data/Highscore.txt"), before);
}

TEST(EndToEnd, SpielBeendenOnTheExitScreenEndsTheProgram) {
    RuntimeFolder folder;
    ASSERT_EQ(folder.run(e2eScript("title_to_exit.txt"), 500), 0);
    const auto state = folder.dump();
    ASSERT_FALSE(state.is_discarded());
    EXPECT_EQ(state["gameState"], 1);
    EXPECT_TRUE(state["closeRequested"].get<bool>());
    EXPECT_TRUE(visitedInOrder(state["statesVisited"], {0, 1}));
    EXPECT_EQ(std::count(state["statesVisited"].begin(), state["statesVisited"].end(), 50), 0);
    EXPECT_TRUE(state["shellRequests"].empty());
    // The click came in the sixth frame; the program ended there, long
    // before the frame limit.
    EXPECT_LT(state["frames"].get<int>(), 20);
    // Nothing was entered.
    EXPECT_EQ(folder.read("Data/Highscore.txt").substr(0, 10), "KARL 1000\n");
}

TEST(EndToEnd, WonGameGoesThroughTheWonScreenIntoTheList) {
    RuntimeFolder folder({.itemAction = 4, .itemPoints = 450, .guardOnHero = false});
    ASSERT_EQ(folder.run(e2eScript("won_game_to_list.txt"), 30), 0);
    const auto state = folder.dump();
    ASSERT_FALSE(state.is_discarded());
    EXPECT_TRUE(visitedInOrder(state["statesVisited"], {0, 50, 100, 25, 10}))
        << state["statesVisited"];
    // Back in the list from the main menu, with nothing left to enter.
    EXPECT_EQ(state["gameState"], 10);
    EXPECT_EQ(state["highscoreEligible"], 0);
    EXPECT_EQ(state["score"], 0);
    EXPECT_EQ(state["lives"], 3);
    EXPECT_EQ(state["highscores"][5]["name"], "UNBEKANNT");
    EXPECT_EQ(state["highscores"][5]["score"], 450);
    EXPECT_NE(folder.read("Data/Highscore.txt").find("\nUNBEKANNT 450\nPIA 400\n"),
              std::string::npos);
}

TEST(EndToEnd, ManualIsAskedForWhileHeldAndTheWebSiteEndsTheProgram) {
    RuntimeFolder folder;
    ASSERT_EQ(folder.run(e2eScript("manual_and_web_site.txt"), 500), 0);
    const auto state = folder.dump();
    ASSERT_FALSE(state.is_discarded());
    // The manual by its absolute path in the folder the game runs in.
    const std::string manual =
        fileAddress((std::filesystem::canonical(folder.root) / "Data/Spielanleitung.htm").string());
    const nlohmann::json expected = {manual, manual, manual, "http://www.example.org"};
    EXPECT_EQ(state["shellRequests"], expected);
    EXPECT_TRUE(state["closeRequested"].get<bool>());
    EXPECT_EQ(state["gameState"], 1);
}
