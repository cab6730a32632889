// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Clicking where the drawn arrow points: the shipped game is run headless,
// the arrow's tip is placed on the middle of each button's drawn label as
// seen in the screenshot, and a click there must make the button act. At
// both resolutions, on the title, the main menu, the highscore list and the
// exit screen.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/backends.hpp"
#include "shell/program.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

namespace {

struct Point {
    float x = 0.0f;
    float y = 0.0f;
};

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
    Point middle() const {
        return {static_cast<float>(left + right) / 2.0f, static_cast<float>(top + bottom) / 2.0f};
    }
};

struct Frame {
    DecodedImage image;
    nlohmann::json state;
    Point cursor() const { return {state["cursorScreenPos"]["x"], state["cursorScreenPos"]["y"]}; }
    Point world() const { return {state["cursorWorldPos"]["x"], state["cursorWorldPos"]["y"]}; }
};

uint32_t at(const DecodedImage& image, int x, int y) {
    const size_t row = static_cast<size_t>(y) * static_cast<size_t>(image.width);
    return image.argb[row + static_cast<size_t>(x)];
}

// Label letters are near-white grey; nothing else on these screens is.
bool labelPixel(uint32_t argb) {
    const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
    return std::min({r, g, b}) >= 235 && std::max({r, g, b}) - std::min({r, g, b}) <= 10;
}

// The drawn labels, top to bottom and left to right: bands of rows holding
// label pixels, split where a band's columns leave a wide gap.
std::vector<Box> findLabels(const DecodedImage& image) {
    std::vector<Box> labels;
    auto rowHasLabel = [&](int y) {
        int n = 0;
        for (int x = 0; x < image.width; ++x) n += labelPixel(at(image, x, y));
        return n >= 3;
    };
    for (int y = 0; y < image.height; ++y) {
        if (!rowHasLabel(y)) continue;
        int bottom = y;
        while (bottom + 1 < image.height && rowHasLabel(bottom + 1)) ++bottom;
        constexpr int wordGap = 24;
        int start = -1, last = -1, pixels = 0;
        for (int x = 0; x <= image.width; ++x) {
            bool column = false;
            for (int r = y; x < image.width && r <= bottom && !column; ++r)
                column = labelPixel(at(image, x, r));
            if (column) {
                if (start < 0) start = x;
                last = x;
                ++pixels;
            } else if (start >= 0 && (x - last > wordGap || x == image.width)) {
                if (pixels >= 10) labels.push_back({start, y, last, bottom});
                start = -1;
                pixels = 0;
            }
        }
        y = bottom;
    }
    return labels;
}

// The first pixel, row by row from the top, in which two frames differ
// within a square around `near`: where the arrow begins.
Point firstDifference(const DecodedImage& a, const DecodedImage& b, Point near) {
    const int x0 = std::max(0, static_cast<int>(near.x) - 30),
              y0 = std::max(0, static_cast<int>(near.y) - 30);
    const int x1 = std::min(a.width, x0 + 60), y1 = std::min(a.height, y0 + 60);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (at(a, x, y) != at(b, x, y)) return {static_cast<float>(x), static_cast<float>(y)};
    return {-1.0f, -1.0f};
}

// The same over black: the first pixel that is not black.
Point firstLit(const DecodedImage& image, Point near) {
    DecodedImage black = image;
    std::fill(black.argb.begin(), black.argb.end(), at(image, 0, 0));
    return firstDifference(black, image, near);
}

std::string line(int dx, int dy, bool click = false) {
    return "1 - " + std::to_string(dx) + " " + std::to_string(dy) + (click ? " L\n" : "\n");
}

const std::string idle = "1 -\n";

class CursorTip : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        const fs::path game = TIEFSCHACHT_GAME_DIR;
        if (!fs::exists(game / "Graphics" / "Cursor.bmp")) GTEST_SKIP() << "no runtime folder";
        work_ = fs::temp_directory_path() / ("tiefschacht-cursor-" + std::to_string(::getpid()) +
                                             "-" + std::to_string(GetParam()));
        fs::remove_all(work_);
        fs::copy(game, work_, fs::copy_options::recursive);
        std::ofstream(work_ / "Data" / "Resolutions.txt")
            << "Modi 1 bis 4 Modus " << GetParam() << " Puffer 1 Vollbild 0\n";
    }
    void TearDown() override {
        if (!work_.empty()) fs::remove_all(work_);
    }

    // Runs the script to its last poll; the screenshot is the last frame.
    Frame run(const std::string& script) {
        int frames = 0;
        for (size_t at = 0; at < script.size(); at = script.find('\n', at) + 1)
            frames += std::stoi(script.substr(at));
        std::ofstream(work_ / "script.txt") << script;
        std::vector<std::string> words = {"tiefschacht",  "--headless",
                                          "--data",       work_.string(),
                                          "--frames",     std::to_string(frames),
                                          "--input",      (work_ / "script.txt").string(),
                                          "--screenshot", (work_ / "shot.png").string(),
                                          "--dump-state", (work_ / "state.json").string()};
        std::vector<char*> argv;
        for (auto& w : words) argv.push_back(w.data());
        Frame frame;
        EXPECT_EQ(runProgram(static_cast<int>(argv.size()), argv.data()), 0);
        std::string error;
        EXPECT_EQ(createSdlImageDecoder()->decodeFile((work_ / "shot.png").c_str(), UINT64_MAX,
                                                      frame.image, error),
                  PictureStatus::Ok)
            << error;
        std::ifstream in(work_ / "state.json");
        frame.state = nlohmann::json::parse(in, nullptr, false);
        return frame;
    }

    fs::path work_;
};

// What a click on a button does: the state it leads to, whether the program
// ends, and what the desktop is asked to open.
struct Effect {
    int button;
    int state;
    bool closes = false;
    const char* opens = nullptr;
};

TEST_P(CursorTip, ClickingWhereTheTipPointsOnALabelActs) {
    // The cursor is parked over black on the title screen, bottom left.
    constexpr int parkX = -560, parkY = 240;  // counts: world (-28, -12)
    const Frame start = run(idle);
    const std::string titleScript = idle + line(parkX, parkY) + idle;
    const Frame parked = run(titleScript);
    const Point pixelsPerCount{(parked.cursor().x - start.cursor().x) / parkX,
                               (parked.cursor().y - start.cursor().y) / parkY};
    const Point tip = firstLit(parked.image, parked.cursor());
    ASSERT_GE(tip.x, 0.0f) << "no arrow drawn near the cursor";
    const Point tipOffset{tip.x - parked.cursor().x, tip.y - parked.cursor().y};

    // Counts that bring the tip from where it is onto `target`.
    auto moveTipTo = [&](const Frame& from, Point target) {
        return line(static_cast<int>(
                        std::lround((target.x - tipOffset.x - from.cursor().x) / pixelsPerCount.x)),
                    static_cast<int>(std::lround((target.y - tipOffset.y - from.cursor().y) /
                                                 pixelsPerCount.y)));
    };
    // Back to the parking place, from wherever the last click left the cursor.
    auto park = [&](const Frame& from) {
        return line(static_cast<int>(std::lround((-28.0f - from.world().x) / 0.05f)),
                    static_cast<int>(std::lround((from.world().y + 12.0f) / 0.05f)));
    };

    // On a screen reached by `script` with the cursor parked: each button's
    // label in reading order, the tip placed on its middle, a click. Returns,
    // by button, the scripts that click it and park again.
    auto screen = [&](const char* name, const std::string& script,
                      std::vector<Effect> effects) -> std::map<int, std::string> {
        SCOPED_TRACE(name);
        const Frame before = run(script);
        const std::vector<Box> labels = findLabels(before.image);
        EXPECT_EQ(labels.size(), effects.size());
        std::map<int, std::string> next;
        for (size_t i = 0; i < std::min(labels.size(), effects.size()); ++i) {
            const Effect& effect = effects[i];
            SCOPED_TRACE("button " + std::to_string(effect.button));
            const Point middle = labels[i].middle();
            const std::string placed = script + moveTipTo(before, middle) + idle;
            const Frame aimed = run(placed);
            const Point drawn = firstDifference(before.image, aimed.image, middle);
            EXPECT_NEAR(drawn.x, middle.x, 1.0f);
            EXPECT_NEAR(drawn.y, middle.y, 1.0f);

            const std::string clicked = placed + line(0, 0, true) + idle;
            const Frame after = run(clicked + idle);
            EXPECT_EQ(after.state["gameState"], effect.state);
            EXPECT_EQ(after.state["closeRequested"], effect.closes);
            const nlohmann::json& requests = after.state["shellRequests"];
            if (effect.opens) {
                const std::string last = requests.empty() ? "" : requests.back().get<std::string>();
                EXPECT_NE(last.find(effect.opens), std::string::npos) << requests;
            } else {
                EXPECT_TRUE(requests.empty()) << requests;
            }
            next[effect.button] = clicked + park(after) + idle;
        }
        return next;
    };

    const char* manual = "Spielanleitung.htm";
    const char* site = "www.example.org";
    auto title = screen("title", titleScript, {{0, 50}, {2, 0, false, manual}, {1, 0, true, site}});
    auto menu = screen("main menu", title[0],
                       {{10, 50, false, manual}, {6, 10}, {5, 100}, {9, 50, true, site}, {7, 1}});
    screen("highscore list", menu[6], {{8, 50}});
    screen("exit", menu[7], {{3, 1, true, site}, {4, 1, true}});
}

INSTANTIATE_TEST_SUITE_P(Resolutions, CursorTip, ::testing::Values(2, 4),
                         [](const ::testing::TestParamInfo<int>& p) {
                             return p.param == 2 ? std::string("At800x600")
                                                 : std::string("At1024x768");
                         });

}  // namespace
