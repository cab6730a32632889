// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "child_process.hpp"

#include <fcntl.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fstream>
#include <sstream>

extern char** environ;

namespace tiefschacht {

namespace {

constexpr std::array<int, 2> bypassCapabilities = {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH};

// Takes the permission-bypassing capabilities out of every set, the bounding
// set included, so that the program started next cannot get them back (root
// otherwise regains its whole bounding set at exec). Only system calls: this
// runs between fork and exec.
bool dropPermissionBypass() {
    if (geteuid() != 0) return true;  // an ordinary user has nothing to drop
    for (int cap : bypassCapabilities) {
        if (prctl(PR_CAPBSET_DROP, cap, 0, 0, 0) != 0) return false;
    }
    prctl(PR_CAP_AMBIENT, PR_CAP_AMBIENT_CLEAR_ALL, 0, 0, 0);
    __user_cap_header_struct header{};
    header.version = _LINUX_CAPABILITY_VERSION_3;
    header.pid = 0;
    __user_cap_data_struct data[2]{};
    if (syscall(SYS_capget, &header, data) != 0) return false;
    for (int cap : bypassCapabilities) {
        const unsigned bit = 1u << (cap % 32);
        data[cap / 32].effective &= ~bit;
        data[cap / 32].permitted &= ~bit;
        data[cap / 32].inheritable &= ~bit;
    }
    return syscall(SYS_capset, &header, data) == 0;
}

bool named(const std::string& entry, const std::string& name) {
    return entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
           entry[name.size()] == '=';
}

std::vector<std::string> childEnvironment(const ChildOptions& options) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        bool drop = false;
        for (const std::string& name : options.unsetEnv) drop = drop || named(entry, name);
        for (const std::string& set : options.setEnv)
            drop = drop || named(entry, set.substr(0, set.find('=')));
        if (!drop) env.push_back(entry);
    }
    for (const std::string& set : options.setEnv) env.push_back(set);
    return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> p;
    for (std::string& s : strings) p.push_back(s.data());
    p.push_back(nullptr);
    return p;
}

std::string readWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

// The child's side: stdout to nowhere, stderr to the file, the rights taken
// away, the time bounded, then the program. 126 when any of it fails.
[[noreturn]] void becomeChild(const std::string& program, const ChildOptions& options, char** argv,
                              char** envp) {
    const int out = open("/dev/null", O_WRONLY);
    const int err = open(options.stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (out < 0 || err < 0 || dup2(out, STDOUT_FILENO) < 0 || dup2(err, STDERR_FILENO) < 0)
        _exit(126);
    if (options.withoutPermissionBypass && !dropPermissionBypass()) _exit(126);
    if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0)
        _exit(126);
    if (options.fileSizeLimit != 0) {
        // The limit is the program's alone: its stderr goes through a pipe
        // (which no size limit applies to) to this process, which keeps it
        // in the file, waits for the program and ends as the program ended.
        int channel[2];
        if (pipe(channel) != 0) _exit(126);
        const pid_t programPid = fork();
        if (programPid < 0) _exit(126);
        if (programPid == 0) {
            close(channel[0]);
            const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
            if (dup2(channel[1], STDERR_FILENO) < 0 || setrlimit(RLIMIT_FSIZE, &limit) != 0)
                _exit(126);
            alarm(options.timeoutSeconds);
            execve(program.c_str(), argv, envp);
            _exit(126);
        }
        close(channel[1]);
        char buffer[4096];
        ssize_t n;
        while ((n = read(channel[0], buffer, sizeof buffer)) > 0 || (n < 0 && errno == EINTR))
            if (n > 0 && write(STDERR_FILENO, buffer, static_cast<size_t>(n)) != n) break;
        int status = 0;
        while (waitpid(programPid, &status, 0) < 0 && errno == EINTR) {
        }
        if (WIFSIGNALED(status)) {
            signal(WTERMSIG(status), SIG_DFL);
            raise(WTERMSIG(status));
        }
        _exit(WIFEXITED(status) ? WEXITSTATUS(status) : 126);
    }
    alarm(options.timeoutSeconds);
    execve(program.c_str(), argv, envp);
    _exit(126);
}

}  // namespace

bool ChildResult::crashed() const {
    if (!started) return false;
    if (!exited) return true;
    return stderrText.find("Sanitizer") != std::string::npos ||
           stderrText.find("runtime error:") != std::string::npos;
}

std::string ChildResult::describe() const {
    std::ostringstream s;
    if (!started)
        s << "did not start";
    else if (exited)
        s << "exit code " << exitCode;
    else
        s << "killed by signal " << signal << " (" << strsignal(signal) << ")";
    s << "; stderr: \"" << stderrText.substr(0, 2000) << "\"";
    return s.str();
}

int startChild(const std::string& program, const ChildOptions& options) {
    std::vector<std::string> args = {program};
    args.insert(args.end(), options.args.begin(), options.args.end());
    std::vector<std::string> env = childEnvironment(options);
    std::vector<char*> argv = pointers(args);
    std::vector<char*> envp = pointers(env);
    const pid_t pid = fork();
    if (pid == 0) becomeChild(program, options, argv.data(), envp.data());
    return pid;
}

ChildResult finishChild(int pid, const ChildOptions& options) {
    ChildResult result;
    if (pid < 0) return result;
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR) return result;
    }
    result.started = true;
    result.peakKiB = usage.ru_maxrss;
    result.exited = WIFEXITED(status);
    if (result.exited) result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    result.stderrText = readWhole(options.stderrFile);
    return result;
}

ChildResult runChild(const std::string& program, const ChildOptions& options) {
    return finishChild(startChild(program, options), options);
}

bool childIsRefusedUnreadableFiles(const std::string& probeFolder) {
    const std::string probe = probeFolder + "/unreadable_probe";
    { std::ofstream(probe) << "secret\n"; }
    chmod(probe.c_str(), 0);
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        if (!dropPermissionBypass()) _exit(2);
        const int fd = open(probe.c_str(), O_RDONLY);
        _exit(fd < 0 && errno == EACCES ? 0 : 1);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return false;
    }
    unlink(probe.c_str());
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace tiefschacht
