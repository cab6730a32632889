// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the real game as a child process and reports how it ended: its exit
// code or the signal that killed it, and everything it wrote on stderr.
#include <string>
#include <vector>

namespace tiefschacht {

struct ChildOptions {
    std::vector<std::string> args;      // without the program itself
    std::vector<std::string> setEnv;    // "NAME=value", added or replacing
    std::vector<std::string> unsetEnv;  // names removed from the environment
    // Without the right to bypass file permissions: even root is then refused
    // a file of mode 000 or a folder without write permission.
    bool withoutPermissionBypass = true;
    unsigned timeoutSeconds = 120;
    std::string stderrFile;           // where stderr is kept while it runs
    std::string workingDirectory;     // where it starts; empty: where the tests run
    unsigned long fileSizeLimit = 0;  // the largest file it may write, in bytes; 0: no limit
};

struct ChildResult {
    bool started = false;
    bool exited = false;  // ended by exit(); otherwise `signal` says what killed it
    int exitCode = -1;
    int signal = 0;
    long peakKiB = 0;  // its largest resident size
    std::string stderrText;

    // A sanitizer's report or a killing signal: a crash whatever the exit code.
    bool crashed() const;
    std::string describe() const;
};

ChildResult runChild(const std::string& program, const ChildOptions& options);

// The same in two steps, so that several children can run at once: start
// returns the process id (or -1), finish waits for it.
int startChild(const std::string& program, const ChildOptions& options);
ChildResult finishChild(int pid, const ChildOptions& options);

// True when a child started the way runChild starts it is refused a file of
// mode 000 (it checks once, in a child of its own).
bool childIsRefusedUnreadableFiles(const std::string& probeFolder);

}  // namespace tiefschacht
