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
#include <fstream>
#include <set>
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

size_t occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
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

// Little-endian and big-endian fields of the crafted pictures below.
std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>(v >> (8 * i));
    return s;
}
std::string be(uint32_t v, int bytes) {
    std::string s;
    for (int i = bytes - 1; i >= 0; --i) s += static_cast<char>(v >> (8 * i));
    return s;
}

// A grey JPEG of w x h whose few bytes of data libjpeg pads to the whole
// picture, with a stray byte between two header segments when asked.
std::string jpeg(uint32_t w, uint32_t h, bool stray) {
    std::string file = "\xFF\xD8";
    auto segment = [&file](int marker, const std::string& body) {
        file.append("\xFF").push_back(static_cast<char>(marker));
        file.append(be(static_cast<uint32_t>(body.size() + 2), 2)).append(body);
    };
    const std::string oneCode = std::string(1, '\1') + std::string(16, '\0');
    segment(0xDB, std::string(1, '\0') + std::string(64, '\1'));
    if (stray) file.push_back('\0');
    segment(0xC0, std::string("\x08") + be(h, 2) + be(w, 2) + std::string("\x01\x01\x11\x00", 4));
    segment(0xC4, std::string(1, '\0') + oneCode);
    segment(0xC4, std::string(1, '\x10') + oneCode);
    segment(0xDA, std::string("\x01\x01\x00\x00\x3F\x00", 6));
    return file.append(16, '\0').append("\xFF\xD9");
}

// A 24-bit BMP header of w x h followed by `pixels` bytes.
std::string bmp(uint32_t w, uint32_t h, size_t pixels) {
    return std::string("BM") + le(static_cast<uint32_t>(54 + pixels), 4) + le(0, 4) + le(54, 4) +
           le(40, 4) + le(w, 4) + le(h, 4) + le(1, 2) + le(24, 2) + std::string(24, '\0') +
           std::string(pixels, '\x10');
}

// Pictures whose headers ask for far more than any texture: each is refused
// with its size before a pixel is decoded, in one run, whose peak size stays
// far below what decoding one of them would take (2.6 GB for the JPEG with
// the stray byte, which once slipped past a check of its own).
TEST(UnusableFiles, PicturesLargerThanAnyTextureAreRefusedBeforeDecoding) {
    struct Case {
        std::string slot, bytes, message;
    };
    const std::string tooLarge = "30000 x 30000 pixels, more than 4096 on a side";
    const Case cases[] = {
        {"Graphics/Cursor.bmp", jpeg(30000, 30000, true), tooLarge},
        {"Graphics/wasser1.bmp", jpeg(30000, 30000, false), tooLarge},
        {"Graphics/wasser2.bmp", bmp(30000, 30000, 64), tooLarge},
        {"Graphics/wasser3.bmp", bmp(64, 64, 64),
         "damaged picture (Error reading from datastream)"},
        {"Graphics/wasser4.bmp",
         std::string("\x89PNG\r\n\x1A\n") + be(13, 4) + "IHDR" + be(30000, 4) + be(30000, 4) +
             "\x08\x06" + std::string(3, '\0'),
         "damaged PNG picture"},
    };
    CaseFolder c;
    std::set<std::string> slots;
    for (const Case& k : cases) slots.insert(k.slot);
    copyRuntimeFolder(shippedRuntime, c.game(), slots);
    for (const Case& k : cases) std::ofstream(c.game() / k.slot, std::ios::binary) << k.bytes;

    const ChildResult r = runGame(shortRun(c, 2));
    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    for (const Case& k : cases)
        EXPECT_EQ(occurrences(r.stderrText, "tiefschacht: " + k.slot + ": " + k.message), 1u)
            << k.slot << "\n"
            << r.describe();
    EXPECT_LT(r.peakKiB, 1L << 20) << "a peak of " << r.peakKiB << " KiB";
}

// A full device: the state dump, the recording and the screenshot each fail
// with the system's reason, and the run ends with exit code 1.
TEST(UnusableFiles, EveryOutputOntoAFullDeviceFailsWithTheReason) {
    CaseFolder c;
    copyRuntimeFolder(shippedRuntime, c.game(), {});
    ChildOptions options = shortRun(c, 5);
    options.args = {"--headless", "--data",       c.game().string(), "--frames",
                    "5",          "--record",     "/dev/full",       "--screenshot",
                    "/dev/full",  "--dump-state", "/dev/full"};
    const ChildResult r = runGame(options);
    EXPECT_FALSE(r.crashed()) << r.describe();
    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    EXPECT_EQ(occurrences(r.stderrText, "/dev/full: No space left on device"), 3u) << r.describe();
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
