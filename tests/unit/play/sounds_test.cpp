// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

#include "play/ambient_sounds.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
struct Sounds : PlayFixture {
    // How many numbers the ambient sounds draw at a scroll value.
    static int drawsAt(float scroll) {
        level.levelOrigin.y = scroll;
        rng = RandomGenerator{};
        playAmbientSounds();
        RandomGenerator g;
        for (int n = 0; n < 6; ++n) {
            if (g.state == rng.state) return n;
            g.next();
        }
        return -1;
    }
    // A state whose next number (0..32767) is at most `most`.
    static uint32_t stateDrawingAtMost(int32_t most) {
        for (uint32_t s = 1;; ++s) {
            RandomGenerator g{s};
            if (g.next() <= most) return s;
        }
    }
};
}  // namespace

TEST_F(Sounds, AmbientBandsDrawOnlyInsideThemWithTheEdgesPlayingNothing) {
    EXPECT_EQ(drawsAt(-365.0f), 0);
    EXPECT_EQ(drawsAt(0.0f), 0);
    EXPECT_EQ(drawsAt(200.0f), 0);
    EXPECT_EQ(drawsAt(-365.01f), 2);  // two bird tests
    EXPECT_EQ(drawsAt(-364.99f), 1);
    EXPECT_EQ(drawsAt(-0.01f), 1);
    EXPECT_EQ(drawsAt(0.01f), 1);
    EXPECT_EQ(drawsAt(199.99f), 1);
    EXPECT_EQ(drawsAt(200.01f), 1);
}

TEST_F(Sounds, EachBandHasItsOwnSound) {
    struct Case {
        float scroll;
        const char* file;
    };
    for (Case c : {Case{-370.0f, "Sound/Vogel1.wav"}, Case{-100.0f, "Sound/Uhu.wav"},
                   Case{100.0f, "Sound/Geist.wav"}, Case{300.0f, "Sound/Vampir.wav"}}) {
        audioLog->effects.clear();
        level.levelOrigin.y = c.scroll;
        rng.state = stateDrawingAtMost(32);  // 32 x 2000 / 32767 is just under 2
        playAmbientSounds();
        ASSERT_FALSE(sounds().empty()) << c.scroll;
        EXPECT_EQ(sounds().front(), c.file);
    }
}

TEST_F(Sounds, MovementSoundsComeFromLastFramesFlagsOnTheBeat) {
    struct Case {
        bool water, walk, climb;
        int counter;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {false, true, false, 32, {"Sound/Schritt.wav"}},
        {false, true, false, 96, {"Sound/Schritt.wav"}},
        {false, true, false, 64, {}},
        {false, false, true, 96, {"Sound/Kletter.wav"}},
        {false, true, true, 32, {"Sound/Schritt.wav", "Sound/Kletter.wav"}},
        {true, true, false, 32, {"Sound/ersauf.wav"}},
        {true, true, false, 96, {}},
        {true, false, true, 32, {}},
    };
    for (const Case& c : cases) {
        audioLog->effects.clear();
        play.inWater = c.water;
        play.walkingLeft = c.walk;
        play.climbingDown = c.climb;
        play.animCounter = c.counter;
        playMovementSounds();
        EXPECT_EQ(sounds(), c.expected) << c.water << c.walk << c.climb << " " << c.counter;
    }
}

TEST_F(Sounds, WalkingSoundsTwicePerCycle) {
    floorAt(390);
    level.levelOrigin.y = -380.0f;
    frames(33, {.right = true});
    EXPECT_EQ(countSound("Sound/Schritt.wav"), 2);
}
