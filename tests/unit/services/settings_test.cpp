// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "services/settings.hpp"
#include "shell/frame_cap.hpp"
#include "support/scratch_folder.hpp"

using namespace tiefschacht;

using testsupport::ScratchFolder;
using testsupport::writeFile;

// The display mode gives the size and depth, any other mode the first; only
// 0 makes a window, anything else is full screen. A file that ends before
// the mode counts as an unknown mode.
TEST(ServicesSettings, DisplayModesBuffersAndTheWindowWithTheirFallbacks) {
    ScratchFolder dir;
    struct Case {
        std::string text;  // the mode, the back-buffer count and the window setting
        int w, h, depth, buffers, fullScreen;
    } const cases[] = {
        {"1 Puffer 1 Vollbild 1", 800, 600, 16, 1, 1},
        {"2 Puffer 1 Vollbild 1", 800, 600, 32, 1, 1},
        {"3 Puffer 2 Vollbild 0", 1024, 768, 16, 2, 0},
        {"4 Puffer 1 Vollbild 1", 1024, 768, 32, 1, 1},
        {"0 Puffer 1 Vollbild 2", 800, 600, 16, 1, 1},
        {"5 Puffer 1 Vollbild -1", 800, 600, 16, 1, 1},
        {"-3 Puffer 1 Vollbild x", 800, 600, 16, 1, 1},
        {"vier Puffer 1 Vollbild", 800, 600, 16, 0, 1},  // "Puffer" read as the count
        {"", 800, 600, 16, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        settings = Settings{};
        settings.screenWidth = 1;  // a previous value must not survive
        writeFile("Data/Resolutions.txt", "Aufloesung waehle Modus eins bis vier: " + c.text);
        readResolutions();
        EXPECT_EQ((std::array{settings.screenWidth, settings.screenHeight, settings.colourDepth,
                              settings.backBufferCount, settings.fullScreen}),
                  (std::array{c.w, c.h, c.depth, c.buffers, c.fullScreen}));
    }
}

TEST(ServicesSettings, ValuesAreKnownByPositionOnly) {
    ScratchFolder dir;
    // A descriptive word with a blank in it is two words: every later value
    // is read one place late. "zwei" stands where the buffer count should be.
    writeFile("Data/Resolutions.txt", "a b c d e f 4 Puffer Anzahl 2 Vollbild 0");
    settings.backBufferCount = 7;
    readResolutions();
    EXPECT_EQ(settings.screenWidth, 1024);
    EXPECT_EQ(settings.colourDepth, 32);
    EXPECT_EQ(settings.backBufferCount, 7);  // "Anzahl" is no number: kept
    EXPECT_EQ(settings.fullScreen, 1);       // "Vollbild" is read as the last value

    // Line breaks mean nothing, and a word far longer than the scratch
    // buffer is skipped whole.
    settings = Settings{};
    std::string longWord(5000, 'w');
    writeFile("Data/Resolutions.txt", longWord + "\n b\nc d e f\n2\nP 3\n\nV\n0");
    readResolutions();
    EXPECT_EQ(settings.colourDepth, 32);
    EXPECT_EQ(settings.backBufferCount, 3);
    EXPECT_EQ(settings.fullScreen, 0);
}

TEST(ServicesSettings, RenderingOptionsAndTheFrameTime) {
    ScratchFolder dir;
    writeFile("Data/RenderingAndMore.txt",
              "Vertex Verarbeitung 0-3 und Modus: 2 Bremse 1 Bilder 50 Rest 7.5");
    readRenderingOptions();
    EXPECT_EQ(settings.vertexProcessingMode, 2);
    EXPECT_EQ(settings.frameCapMode, 1);
    EXPECT_EQ(settings.frameCap, 50.0f);
    EXPECT_EQ(settings.minFrameTime, 20.0f);

    // The last number is read and used for nothing; its absence changes nothing.
    Settings before = settings;
    writeFile("Data/RenderingAndMore.txt", "a b c d e 2 f 1 g 50 h");
    readRenderingOptions();
    EXPECT_EQ(settings.frameCap, before.frameCap);
    EXPECT_EQ(settings.minFrameTime, before.minFrameTime);
    EXPECT_EQ(settings.vertexProcessingMode, before.vertexProcessingMode);
}

TEST(ServicesSettings, AFrameRateOfZeroOrWorseTurnsTheCapOff) {
    ScratchFolder dir;
    for (const char* rate : {"0", "-30", "nan", "inf", "x"}) {
        settings = Settings{};
        writeFile("Data/RenderingAndMore.txt", std::string("a b c d e 3 f 1 g ") + rate + " h 0");
        readRenderingOptions();
        EXPECT_EQ(settings.frameCapMode, 1);
        EXPECT_FALSE(frameCapOn(settings)) << "rate " << rate;
    }
    settings = Settings{};
    writeFile("Data/RenderingAndMore.txt", "a b c d e 3 f 1 g 0 h 0");
    readRenderingOptions();
    EXPECT_TRUE(std::isinf(settings.minFrameTime));

    writeFile("Data/RenderingAndMore.txt", "a b c d e 3 f 1 g 60 h 0");
    readRenderingOptions();
    EXPECT_TRUE(frameCapOn(settings));
    for (int mode : {0, 2, -1}) {
        settings.frameCapMode = mode;
        EXPECT_FALSE(frameCapOn(settings)) << "mode " << mode;
    }
}

TEST(ServicesSettings, ViewDistanceKeepsItsValueWithoutANumber) {
    ScratchFolder dir;
    writeFile("Data/SpielEinstellungen.txt", "Sichtweite 500.5");
    readGameSettings();
    EXPECT_EQ(settings.viewDistance, 500.5f);

    settings = Settings{};
    writeFile("Data/SpielEinstellungen.txt", "Sichtweite weit");
    testing::internal::CaptureStderr();
    readGameSettings();
    EXPECT_EQ(settings.viewDistance, 1000.0f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tiefschacht: Data/SpielEinstellungen.txt: line 1: \"weit\" stands where a number "
              "belongs\n");
}

// A far plane that is not a finite distance beyond the near plane would
// leave the play screen black: the start value stays, with a warning.
TEST(ServicesSettings, AViewDistanceThatShowsNothingKeepsTheStartValue) {
    ScratchFolder dir;
    for (const char* value : {"nan", "inf", "-inf", "1e39", "0.5", "1", "-300"}) {
        settings = Settings{};
        writeFile("Data/SpielEinstellungen.txt", std::string("Sichtweite ") + value);
        testing::internal::CaptureStderr();
        readGameSettings();
        const std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(settings.viewDistance, 1000.0f) << value;
        EXPECT_NE(err.find("Data/SpielEinstellungen.txt: line 1: "), std::string::npos) << value;
    }
    writeFile("Data/SpielEinstellungen.txt", "Sichtweite 1.5");
    testing::internal::CaptureStderr();
    readGameSettings();
    EXPECT_EQ(settings.viewDistance, 1.5f);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(ServicesSettingsDeathTest, AFileThatCannotBeOpenedEndsTheProgramNamingIt) {
    ScratchFolder dir;
    EXPECT_EXIT(readResolutions(), testing::ExitedWithCode(1),
                "Data/Resolutions.txt: No such file or directory");
    EXPECT_EXIT(readRenderingOptions(), testing::ExitedWithCode(1), "Data/RenderingAndMore.txt");
    std::filesystem::create_directories("Data/SpielEinstellungen.txt");  // a folder, not a file
    EXPECT_EXIT(readGameSettings(), testing::ExitedWithCode(1), "Data/SpielEinstellungen.txt: ");
}
