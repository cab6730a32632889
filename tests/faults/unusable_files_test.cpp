// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Files that are no files: a FIFO (whose open would wait for a writer) or an
// endless device in place of a data file, a picture or a sound; a texture
// list whose pictures together need more memory than textures may take;
// every output the run is asked for written onto a full device. The game
// must neither hang, nor grow without bound, nor report a failure as
// success, and every message names the file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "fault_game.hpp"
#include "platform/backends.hpp"
#include "platform/picture_files.hpp"
#include "support/picture_codec.hpp"

using namespace tiefschacht;

namespace {

namespace fs = std::filesystem;

enum class Special { Fifo, EndlessDevice };

// Puts a FIFO, or a link to /dev/zero, where the runtime copy's file was.
void replaceWithSpecial(const CaseFolder& c, const std::string& file, Special kind) {
    const fs::path target = c.game() / file;
    fs::remove(target);
    if (kind == Special::Fifo) {
        ASSERT_EQ(mkfifo(target.c_str(), 0644), 0) << target;
    } else {
        fs::create_symlink("/dev/zero", target);
    }
}

// Short runs: nothing here needs more than the start and a few frames.
ChildOptions shortRun(const CaseFolder& c, int frames) {
    ChildOptions options = headlessRun(c, faultScript("list_then_play.txt"), frames);
    options.timeoutSeconds = 60;
    return options;
}

TEST(UnusableFiles, AFifoOrAnEndlessDeviceAsADataFileEndsTheRunNamingIt) {
    for (const char* file : {"Data/Level1.txt", "Data/EnemyTextures.txt", "Data/Resolutions.txt"}) {
        for (Special kind : {Special::Fifo, Special::EndlessDevice}) {
            SCOPED_TRACE(std::string(file) + (kind == Special::Fifo ? " FIFO" : " /dev/zero"));
            CaseFolder c;
            copyRuntimeFolder(shippedRuntime, c.game(), {file});
            replaceWithSpecial(c, file, kind);
            const ChildResult r = runGame(shortRun(c, 5));
            EXPECT_FALSE(r.crashed()) << r.describe();
            EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
            EXPECT_NE(r.stderrText.find(std::string(file) + ": not a regular file"),
                      std::string::npos)
                << r.describe();
        }
    }
}

// Pictures and sounds are optional: the game goes on without them, saying so.
TEST(UnusableFiles, AFifoOrAnEndlessDeviceAsAPictureOrASoundIsLeftOutWithAWarning) {
    CaseFolder c;
    const std::string picture = "Graphics/Cursor.bmp";
    const std::string sound = "Sound/Titelmusik.wav";
    const std::string effect = "Sound/Schritt.wav";
    copyRuntimeFolder(shippedRuntime, c.game(), {picture, sound, effect});
    replaceWithSpecial(c, picture, Special::Fifo);
    replaceWithSpecial(c, sound, Special::EndlessDevice);
    replaceWithSpecial(c, effect, Special::Fifo);
    const ChildResult r = runGame(shortRun(c, 40));
    EXPECT_FALSE(r.crashed()) << r.describe();
    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    for (const std::string& file : {picture, sound, effect})
        EXPECT_NE(r.stderrText.find(file + ": not a regular file"), std::string::npos)
            << r.describe();
    EXPECT_EQ(readDump(c).value("gameState", -1), 100);
}

// Each picture is within the largest texture size, but together they would
// need 32 GB: those past the budget are refused before they are decoded,
// with one warning naming the first.
TEST(UnusableFiles, PicturesPastTheTextureBudgetStayBlank) {
    CaseFolder c;
    copyRuntimeFolder(shippedRuntime, c.game(), {"Data/GroundTextures.txt"});
    const DecodedImage huge = testsupport::solidPicture(4096, 4096, 0xFF000000u);
    auto codec = createSdlImageDecoder();
    std::string error;
    ASSERT_TRUE(writePictureFile(*codec, (c.game() / "Graphics/Gross.png").string(), huge, error))
        << error;
    ASSERT_LT(fs::file_size(c.game() / "Graphics/Gross.png"), 1u << 20);
    std::string list = "Anzahl 500\n";
    for (int i = 0; i < 500; ++i) list += "Graphics/Gross.png\n";
    { std::ofstream(c.game() / "Data/GroundTextures.txt") << list; }

    const ChildResult r = runGame(shortRun(c, 2));
    EXPECT_FALSE(r.crashed()) << r.describe();
    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    EXPECT_EQ(occurrences(r.stderrText,
                          "Graphics/Gross.png: 4096 x 4096 pixels would take the "
                          "textures past their budget of 128 MiB"),
              1u)
        << r.describe();
}

// A grey JPEG of 157 bytes whose stray byte between two header segments once
// got it past the size check; decoded, it takes 2.6 GB. It is refused with
// its size before a pixel is decoded, and the run stays small.
TEST(UnusableFiles, AJpegLargerThanAnyTextureIsRefusedBeforeDecoding) {
    CaseFolder c;
    const std::string slot = "Graphics/Cursor.bmp";
    copyRuntimeFolder(shippedRuntime, c.game(), {slot});
    fs::copy_file(std::string(TIEFSCHACHT_SOURCE_DIR) +
                      "/tests/fuzz/corpus/fuzz_picture/found_jpeg_stray_byte_before_its_frame.jpg",
                  c.game() / slot);

    const ChildResult r = runGame(shortRun(c, 2));
    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    EXPECT_EQ(occurrences(r.stderrText, "tiefschacht: " + slot +
                                            ": 30000 x 30000 pixels, more than 4096 on a side"),
              1u)
        << r.describe();
    EXPECT_LT(r.peakKiB, 1L << 20) << "a peak of " << r.peakKiB << " KiB";
}

// An input script that is a folder would read as an empty script; one that
// is a FIFO would wait for a writer before the game starts.
TEST(UnusableFiles, AnInputScriptMustBeARegularFile) {
    CaseFolder c;
    const fs::path fifo = c.root / "script.fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    for (const fs::path& script : {c.root, fifo}) {
        SCOPED_TRACE(script.string());
        ChildOptions options = shortRun(c, 5);
        options.args = {"--headless", "--frames", "5", "--input", script.string()};
        const ChildResult r = runGame(options);
        EXPECT_FALSE(r.crashed()) << r.describe();
        EXPECT_TRUE(r.exited && r.exitCode == 2) << r.describe();
        EXPECT_NE(r.stderrText.find(script.string() + ": not a regular file"), std::string::npos)
            << r.describe();
    }
}

}  // namespace
