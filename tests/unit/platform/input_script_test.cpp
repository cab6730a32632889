// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "platform/backends.hpp"
#include "platform/headless/input_script.hpp"
#include "platform/key_codes.hpp"

using namespace tiefschacht;

namespace {

bool held(const ScriptLine& line, uint8_t code) { return (line.keys[code] & keyDownBit) != 0; }

int heldCount(const ScriptLine& line) {
    int n = 0;
    for (uint8_t b : line.keys) n += (b & keyDownBit) != 0 ? 1 : 0;
    return n;
}

TEST(InputScriptParse, ReadsCountsKeysMotionAndButtons) {
    const std::string text =
        "# a comment line\n"
        "\n"
        "2 Left+Space 3 -2 L   # trailing comment\n"
        "   \t\n"
        "1 -\r\n"
        "3 PageUp+A+z 0 5\n"
        "1 Escape+Up+Down+Right+PageDown+Enter+Backspace+Pause -7 +8 -\n";
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse(text, error)) << error;
    EXPECT_EQ(script.totalPolls(), 7u);

    const ScriptLine& first = script.lineForPoll(0);
    EXPECT_EQ(&first, &script.lineForPoll(1));
    EXPECT_TRUE(held(first, KeyLeft));
    EXPECT_TRUE(held(first, KeySpace));
    EXPECT_EQ(heldCount(first), 2);
    EXPECT_EQ(first.dx, 3);
    EXPECT_EQ(first.dy, -2);
    EXPECT_TRUE(first.leftButton);

    const ScriptLine& idle = script.lineForPoll(2);
    EXPECT_EQ(heldCount(idle), 0);
    EXPECT_EQ(idle.dx, 0);
    EXPECT_FALSE(idle.leftButton);

    for (uint64_t poll = 3; poll < 6; ++poll) {
        const ScriptLine& line = script.lineForPoll(poll);
        EXPECT_TRUE(held(line, KeyPageUp));
        EXPECT_TRUE(held(line, KeyA));
        EXPECT_TRUE(held(line, KeyZ));  // names are not case-sensitive
        EXPECT_EQ(line.dy, 5);
        EXPECT_FALSE(line.leftButton);
    }

    const ScriptLine& last = script.lineForPoll(6);
    EXPECT_EQ(heldCount(last), 8);
    EXPECT_TRUE(held(last, KeyPause));
    EXPECT_EQ(last.dx, -7);
    EXPECT_EQ(last.dy, 8);
}

TEST(InputScriptParse, AfterTheEndNothingIsHeld) {
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse("5 Right 1 1 L\n", error));
    for (uint64_t poll : {5ull, 6ull, 1000ull, ~0ull}) {
        const ScriptLine& line = script.lineForPoll(poll);
        EXPECT_EQ(heldCount(line), 0);
        EXPECT_EQ(line.dx, 0);
        EXPECT_FALSE(line.leftButton);
    }
    ASSERT_TRUE(script.parse("# nothing but comments\n\n", error));
    EXPECT_EQ(script.totalPolls(), 0u);
    EXPECT_EQ(heldCount(script.lineForPoll(0)), 0);
}

TEST(InputScriptParse, MalformedLinesNameTheirLineNumber) {
    const char* bad[] = {
        "0 -",                   // count below 1
        "-3 Left",               // negative count
        "x Left",                // count not a number
        "1.5 Left",              // count not whole
        "999999999999 Left",     // count absurdly large
        "4",                     // keys missing
        "1 Left 3",              // dx without dy
        "1 Left 3 y",            // dy not a number
        "1 Left 3 4 R",          // unknown button
        "1 Left 3 4 L extra",    // too many fields
        "1 Shift",               // unknown key
        "1 Left++Right",         // empty key name
        "1 Left+",               // trailing +
        "1 Left 99999999999 0",  // count beyond 32 bits
    };
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        InputScript script;
        std::string error;
        const std::string text = "# header\n1 -\n\n" + std::string(line) + "\n1 Up\n";
        EXPECT_FALSE(script.parse(text, error));
        EXPECT_NE(error.find("line 4"), std::string::npos) << error;
        EXPECT_EQ(script.totalPolls(), 0u);  // a failed parse leaves no half script
    }
}

TEST(InputScriptParse, GarbageNeverCrashes) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage.push_back(static_cast<char>((i * 7919 + 13) % 256));
    InputScript script;
    std::string error;
    script.parse(garbage, error);
    script.parse(std::string(100000, '+'), error);
    script.parse(std::string("1 ").append(100000, 'A'), error);
    script.parse(std::string("1 A\0B 0 0", 9), error);
    SUCCEED();
}

TEST(InputScriptDescribe, WritesLinesThatReadBackTheSame) {
    KeyboardSnapshot keys{};
    keys[KeySpace] = keyDownBit;
    keys[KeyLeft] = keyDownBit;
    keys[KeyF1] = keyDownBit;  // a key without a name in the format is left out
    EXPECT_EQ(InputScript::describe(keys, 3, -2, true), "Left+Space 3 -2 L");
    EXPECT_EQ(InputScript::describe(KeyboardSnapshot{}, 0, 0, false), "- 0 0 -");

    KeyboardSnapshot all{};
    for (const char* name : {"Escape", "Up", "Down", "Left", "Right", "Space", "PageUp", "PageDown",
                             "Enter", "Backspace", "Pause", "A", "M", "Z"}) {
        const int code = InputScript::keyCodeOf(name);
        ASSERT_GE(code, 0) << name;
        all[static_cast<size_t>(code)] = keyDownBit;
    }
    const std::string line = "4 " + InputScript::describe(all, -1, 2, false);
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.parse(line, error)) << error;
    EXPECT_EQ(script.lineForPoll(3).keys, all);
    EXPECT_EQ(script.lineForPoll(3).dx, -1);
    EXPECT_EQ(InputScript::keyCodeOf("Q"), KeyQ);
    EXPECT_EQ(InputScript::keyCodeOf("Tab"), -1);
    EXPECT_EQ(InputScript::keyCodeOf(""), -1);
}

TEST(InputScriptLoad, ReadsARegularFileAndReportsWhyAnythingElseIsNot) {
    const std::string path = testing::TempDir() + "input_script_load.txt";
    {
        std::ofstream out(path);
        out << "2 Right\n1 - 0 0 L\n";
    }
    InputScript script;
    std::string error;
    ASSERT_TRUE(script.load(path, error)) << error;
    EXPECT_EQ(script.totalPolls(), 3u);
    std::remove(path.c_str());
    EXPECT_FALSE(script.load(path, error));
    EXPECT_EQ(error, "No such file or directory");
    // A folder would read as an empty script.
    EXPECT_FALSE(script.load(testing::TempDir(), error));
    EXPECT_EQ(error, "not a regular file but a directory");
}

TEST(ScriptInputDevices, EachPollPairTakesTheNextScriptPoll) {
    auto script = std::make_shared<InputScript>();
    std::string error;
    ASSERT_TRUE(script->parse("1 A 5 0 L\n2 B\n", error));
    auto devices = createScriptInputDevices(script);
    ASSERT_TRUE(devices->createKeyboard());
    ASSERT_TRUE(devices->createMouse());

    const char* expected[] = {"A 5 0 L", "B 0 0 -", "B 0 0 -", "- 0 0 -", "- 0 0 -"};
    for (const char* want : expected) {
        KeyboardSnapshot keys{};
        MouseSnapshot mouse;
        ASSERT_TRUE(devices->readMouse(mouse));
        ASSERT_TRUE(devices->readKeyboard(keys));
        EXPECT_EQ(InputScript::describe(keys, mouse.dx, mouse.dy, mouse.buttons[0] & 0x80), want);
    }

    auto none = createScriptInputDevices(nullptr);
    KeyboardSnapshot keys{};
    keys[KeyA] = keyDownBit;
    MouseSnapshot mouse;
    ASSERT_TRUE(none->readKeyboard(keys));
    ASSERT_TRUE(none->readMouse(mouse));
    EXPECT_EQ(InputScript::describe(keys, mouse.dx, mouse.dy, false), "- 0 0 -");
}

}  // namespace
