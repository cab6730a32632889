// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Every file of the runtime folder damaged (missing, unreadable, empty, cut in
// half, random bytes) in a fresh copy, and the real game run headless on it
// from the title through the highscore list into play: each data file on its
// own, and every picture, or every sound, at once (each is optional, and
// damaging one at a time would only repeat the same proof a hundred times).
// It must never crash. A data file it cannot open ends it with exit code 1 and
// a message naming the file; a data file it can open is read for what it
// holds (the readers take what is there and leave the rest at its start
// value), so the run goes on. Pictures and sounds are optional: without them
// the game plays exactly as before, only with blank squares or silence.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "fault_game.hpp"
#include "opened_files.hpp"
#include "services/graphics.hpp"
#include "services/sound.hpp"

using namespace tiefschacht;

namespace {

constexpr const char* script = "list_then_play.txt";
// The list, then play: walking, jumping, and back. The sanitizer build draws
// about twenty times slower; there the runs with a damaged data file end
// after some forty frames of play, which already draw every kind of thing
// the level's first screen holds.
constexpr int fullFrames = sanitizedBuild ? 60 : 325;
// Sounds and pictures are all loaded at start-up. A sound plays on an event,
// and some frames of walking meet the title music, steps and a coin (no
// pixels needed: those runs draw nothing); a picture is drawn from the first
// frame of its screen, and the title, the menu, the list and the first frames
// of play show every one a short run can.
constexpr int soundFrames = 120;
constexpr int pictureFrames = 30;

enum class Role { Required, Written, Optional, NotRead };

// What the game does with a file, from what the undamaged run opened.
Role roleOf(const std::string& file, const std::set<std::string>& opened) {
    if (file == protocolFile) return Role::Written;
    if (!opened.count(file)) return Role::NotRead;
    if (file.rfind("Data/", 0) == 0) return Role::Required;
    return Role::Optional;
}

// The script's run; one that needs no pixels draws none.
ChildOptions scriptRun(const CaseFolder& folder, int frames, bool draw) {
    ChildOptions run = headlessRun(folder, faultScript(script), frames);
    if (!draw) run.args.push_back("--no-draw");
    return run;
}

// A run on the undamaged runtime folder: what every damaged run is compared
// with, and the source of the files to damage.
struct Reference {
    CaseFolder folder;
    ChildResult result;
    nlohmann::json dump;
    std::set<std::string> opened;
    bool watched = false;
    std::vector<std::string> files;
};

std::unique_ptr<Reference> makeReference(int frames, bool draw = true) {
    auto ref = std::make_unique<Reference>();
    // The log is the game's to write; it comes from this run.
    copyRuntimeFolder(shippedRuntime, ref->folder.game(), {protocolFile});
    OpenedFiles watch(ref->folder.game());
    ref->result = runGame(scriptRun(ref->folder, frames, draw));
    ref->watched = watch.collect(ref->opened);
    ref->dump = readDump(ref->folder);
    ref->files = runtimeFiles(ref->folder.game());
    return ref;
}

// The parts of the state dump that say how the game went; sounds and the
// channel rotation are left out, since a missing sound plays nothing.
nlohmann::json course(const nlohmann::json& dump) {
    nlohmann::json c;
    if (!dump.is_object()) return c;
    for (const char* key : {"frames", "gameState", "statesVisited", "hero", "heroRow", "heroCol",
                            "score", "lives", "keyCount", "levelOrigin", "enemies", "highscores"})
        if (dump.contains(key)) c[key] = dump[key];
    return c;
}

uint32_t seedFor(const std::string& file) {
    uint32_t h = 2166136261u;  // FNV-1a: each file its own, repeatable garbage
    for (unsigned char c : file) h = (h ^ c) * 16777619u;
    return h;
}

class FileFaults : public ::testing::TestWithParam<Fault> {
protected:
    // Each wanted file damaged in a copy of its own, one run each.
    void runCases(int frames, const std::function<bool(const std::string&, Role)>& wanted);
    // Every wanted file (all optional) damaged in one copy, one run: the game
    // plays exactly as without damage.
    void runTogether(int frames, const char* folder, bool draw);
    int casesRun = 0;
};

void FileFaults::runCases(int frames, const std::function<bool(const std::string&, Role)>& wanted) {
    const Fault fault = GetParam();
    const std::unique_ptr<Reference> ref = makeReference(frames);
    ASSERT_TRUE(ref->result.exited && ref->result.exitCode == 0) << ref->result.describe();
    ASSERT_TRUE(ref->watched) << "the files the game opens cannot be watched";
    ASSERT_EQ(ref->dump.value("gameState", -1), 100) << "the script no longer reaches play";
    if (fault == Fault::Unreadable) {
        ASSERT_TRUE(childIsRefusedUnreadableFiles(ref->folder.root.string()))
            << "the game would be able to read a file of mode 000";
    }

    for (const std::string& file : ref->files) {
        const Role role = roleOf(file, ref->opened);
        if (!wanted(file, role)) continue;
        SCOPED_TRACE(file + " " + faultName(fault));

        CaseFolder c;
        copyRuntimeFolder(ref->folder.game(), c.game(), {file});
        damageFile(ref->folder.game() / file, c.game() / file, fault, seedFor(file));
        const ChildResult r = runGame(headlessRun(c, faultScript(script), frames));
        ++casesRun;

        EXPECT_FALSE(r.crashed()) << r.describe();
        const bool cannotOpen = fault == Fault::Missing || fault == Fault::Unreadable;
        if (role == Role::Required && cannotOpen) {
            EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
            EXPECT_NE(r.stderrText.find(file), std::string::npos) << r.describe();
        } else {
            EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
            const nlohmann::json dump = readDump(c);
            ASSERT_TRUE(dump.is_object()) << "no state dump; " << r.describe();
            if (role == Role::Written) {
                // Whatever was there, even a file the game may not open, the
                // log is written afresh beside it and renamed over it.
                EXPECT_EQ(readFile(c.game() / file), readFile(ref->folder.game() / file));
            }
            if (role != Role::Required) {
                EXPECT_EQ(course(dump), course(ref->dump)) << "the run went differently";
            }
        }
    }
    EXPECT_GT(casesRun, 0);
    RecordProperty("cases", casesRun);
}

bool inFolder(const std::string& file, const char* folder) { return file.rfind(folder, 0) == 0; }

TEST_P(FileFaults, DataFilesAndTheLog) {
    runCases(fullFrames, [](const std::string& file, Role) { return inFolder(file, "Data/"); });
}

void FileFaults::runTogether(int frames, const char* folder, bool draw) {
    const Fault fault = GetParam();
    const std::unique_ptr<Reference> ref = makeReference(frames, draw);
    ASSERT_TRUE(ref->result.exited && ref->result.exitCode == 0) << ref->result.describe();
    ASSERT_TRUE(ref->watched) << "the files the game opens cannot be watched";
    if (fault == Fault::Unreadable) {
        ASSERT_TRUE(childIsRefusedUnreadableFiles(ref->folder.root.string()))
            << "the game would be able to read a file of mode 000";
    }
    // Every file of the folder that a run opens (the window's icon is not
    // opened headless; the window tests damage it).
    std::set<std::string> damaged;
    for (const std::string& file : ref->files)
        if (inFolder(file, folder) && roleOf(file, ref->opened) == Role::Optional)
            damaged.insert(file);
    ASSERT_FALSE(damaged.empty());
    SCOPED_TRACE(std::to_string(damaged.size()) + " files of " + folder + " " + faultName(fault));

    CaseFolder c;
    copyRuntimeFolder(ref->folder.game(), c.game(), damaged);
    for (const std::string& file : damaged)
        damageFile(ref->folder.game() / file, c.game() / file, fault, seedFor(file));
    const ChildResult r = runGame(scriptRun(c, frames, draw));
    EXPECT_FALSE(r.crashed()) << r.describe();
    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    const nlohmann::json dump = readDump(c);
    ASSERT_TRUE(dump.is_object()) << "no state dump; " << r.describe();
    EXPECT_EQ(course(dump), course(ref->dump)) << "the run went differently";
    RecordProperty("cases", static_cast<int>(damaged.size()));
}

TEST_P(FileFaults, Sounds) { runTogether(soundFrames, "Sound/", false); }

TEST_P(FileFaults, Pictures) { runTogether(pictureFrames, "Graphics/", true); }

INSTANTIATE_TEST_SUITE_P(EachFault, FileFaults,
                         ::testing::Values(Fault::Missing, Fault::Unreadable, Fault::Empty,
                                           Fault::Truncated, Fault::Garbage),
                         [](const ::testing::TestParamInfo<Fault>& param) {
                             std::string name = faultName(param.param);
                             name[0] = static_cast<char>(name[0] - 'a' + 'A');
                             return name;
                         });

// The files damaged above are those the game really opens: every picture and
// sound of the runtime folder is opened by an undamaged run, every sound the
// game knows is there, and only the manual (handed to the desktop, never read
// by the game) and the window's icon (no window in a headless run) are left
// unopened. The log is written under a name of its own and renamed.
TEST(FaultList, IsEveryFileTheGameOpens) {
    const std::unique_ptr<Reference> ref = makeReference(pictureFrames);
    ASSERT_TRUE(ref->result.exited && ref->result.exitCode == 0) << ref->result.describe();
    ASSERT_TRUE(ref->watched);
    std::set<std::string> walked(ref->files.begin(), ref->files.end());
    const std::string logBeingWritten = std::string(protocolFile) + ".tmp-";
    bool logWritten = false;
    for (const std::string& file : ref->opened) {
        if (file.rfind(logBeingWritten, 0) == 0) {
            logWritten = true;
            continue;
        }
        EXPECT_TRUE(walked.count(file)) << file << " is opened but not in the runtime folder";
    }
    std::set<std::string> notRead;
    size_t pictures = 0;
    for (const std::string& file : ref->files) {
        if (!ref->opened.count(file) && file != protocolFile) notRead.insert(file);
        if (inFolder(file, "Graphics/")) ++pictures;
    }
    EXPECT_EQ(notRead, (std::set<std::string>{"Data/Spielanleitung.htm", "Graphics/Icon.png"}));
    for (const SoundFile& sound : soundFiles)
        EXPECT_TRUE(ref->opened.count(sound.path)) << sound.path;
    EXPECT_GT(pictures, 100u);
    EXPECT_TRUE(logWritten);
}

}  // namespace
