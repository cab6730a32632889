// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// One rendered play frame of the shipped game compared with a stored picture.
// When the pictures or the level change on purpose, renew the reference with
//   TIEFSCHACHT_RENEW_REFERENCE=1 build/tests/unit_tests --gtest_filter='PlayReferenceImage.*'
// and commit tests/reference/play_frame.png; the test never renews it by itself.
#include <gtest/gtest.h>

#include <unistd.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/backends.hpp"
#include "shell/program.hpp"
#include "support/picture_codec.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

namespace {

int runGame(std::vector<std::string> words) {
    words.insert(words.begin(), "tiefschacht");
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    return runProgram(static_cast<int>(argv.size()), argv.data());
}

}  // namespace

TEST(PlayReferenceImage, APlayFrameLooksAsStored) {
    const fs::path game = TIEFSCHACHT_GAME_DIR;
    if (!fs::exists(game / "Graphics" / "Titelbild.bmp")) GTEST_SKIP() << "no runtime folder";
    const fs::path work =
        fs::temp_directory_path() / ("tiefschacht-reference-" + std::to_string(::getpid()));
    fs::remove_all(work);
    fs::copy(game, work, fs::copy_options::recursive);

    const fs::path shot = work / "frame.png";
    // The winning run's first 150 frames: through the menus into play, the
    // hero walking right with the help lines still shown.
    ASSERT_EQ(runGame({"--headless", "--data", work.string(), "--frames", "150", "--input",
                       std::string(TIEFSCHACHT_SOURCE_DIR) + "/tests/e2e/winning_run.txt",
                       "--screenshot", shot.string()}),
              0);

    const fs::path reference = fs::path(TIEFSCHACHT_SOURCE_DIR) / "tests/reference/play_frame.png";
    if (std::getenv("TIEFSCHACHT_RENEW_REFERENCE")) {
        fs::copy_file(shot, reference, fs::copy_options::overwrite_existing);
        GTEST_SKIP() << "reference renewed: " << reference;
    }

    auto decoder = createSdlImageDecoder();
    DecodedImage got, want;
    ASSERT_TRUE(testsupport::decodesFile(*decoder, shot.string().c_str(), got));
    ASSERT_TRUE(testsupport::decodesFile(*decoder, reference.string().c_str(), want));
    ASSERT_EQ(got.width, want.width);
    ASSERT_EQ(got.height, want.height);

    // The renderer gives the same pixels on every machine, so the frame must
    // match exactly: a picture moved by one pixel or a colour channel swapped
    // shows here. The first differing pixel is named.
    size_t differing = 0, first = got.argb.size();
    for (size_t i = 0; i < got.argb.size(); ++i) {
        if ((got.argb[i] & 0xFFFFFFu) == (want.argb[i] & 0xFFFFFFu)) continue;
        if (differing++ == 0) first = i;
    }
    EXPECT_EQ(differing, 0u) << "pixels differing from " << reference << ", the first at x "
                             << first % static_cast<size_t>(got.width) << ", y "
                             << first / static_cast<size_t>(got.width);
    fs::remove_all(work);
}
