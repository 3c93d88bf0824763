// SPDX-License-Identifier: MIT
#include "platform/sdl/child_process.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace {

// The process that last called fork(), and what every child it makes does
// first. SDL forks helpers of its own too (the box it draws on X11 runs in
// a child process, and on Wayland it runs zenity), which would outlive a
// game that is killed; every fork the game makes, SDL's included, passes
// here, so every child ends with the game.
pid_t ForkingProcess = 0;

void NoteForkingProcess() {
    ForkingProcess = getpid();
}

void EndWithTheGame() {
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    // Should the game have died before that line, the signal will never
    // come: give up at once.
    if (getppid() != ForkingProcess)
        _exit(127);
}

const bool ChildrenEndWithTheGame =
    pthread_atfork(NoteForkingProcess, nullptr, EndWithTheGame) == 0;

bool IsExecutableFile(const std::string& path) {
    struct stat status {};
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           access(path.c_str(), X_OK) == 0;
}

void CloseDescriptor(int descriptor) {
    if (descriptor >= 0)
        close(descriptor);
}

}  // namespace

std::string FindProgram(const std::string& program) {
    if (program.empty())
        return "";
    if (program.find('/') != std::string::npos)
        return IsExecutableFile(program) ? program : "";
    const char* searchPath = std::getenv("PATH");
    const std::string directories = searchPath != nullptr ? searchPath : "/usr/bin:/bin";
    size_t start = 0;
    for (;;) {
        const size_t end = directories.find(':', start);
        std::string directory = directories.substr(start, end - start);
        if (directory.empty())
            directory = ".";
        const std::string candidate = directory + "/" + program;
        if (IsExecutableFile(candidate))
            return candidate;
        if (end == std::string::npos)
            return "";
        start = end + 1;
    }
}

ChildResult RunChild(const std::string& path, const std::vector<std::string>& arguments) {
    ChildResult result;
    if (arguments.empty())
        return result;

    // Everything the child needs is prepared before the fork: after it, in
    // a process that has other threads (the sound's), the child may only
    // make plain system calls.
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 1);
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int output[2] = {-1, -1};
    if (pipe2(output, O_CLOEXEC) != 0)
        return result;
    const int nothing = open("/dev/null", O_RDONLY | O_CLOEXEC);

    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child < 0) {
        CloseDescriptor(output[0]);
        CloseDescriptor(output[1]);
        CloseDescriptor(nothing);
        return result;
    }
    if (child == 0) {
        // A helper window ends with the game, however the game ends (a
        // crash, kill -9, the session closing): the system sends it a
        // termination signal when its parent dies. (Set for every fork
        // above too; here it is plain to see for the helpers run here.)
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent)
            _exit(127);
        if (nothing >= 0)
            dup2(nothing, STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        execv(path.c_str(), argv.data());
        _exit(127);
    }

    CloseDescriptor(output[1]);
    CloseDescriptor(nothing);
    result.started = true;
    char buffer[4096];
    for (;;) {
        const ssize_t count = read(output[0], buffer, sizeof buffer);
        if (count > 0) {
            const size_t room = ChildOutputLimit - result.output.size();
            result.output.append(buffer, std::min(room, static_cast<size_t>(count)));
            continue;  // keep reading, so the child never blocks on a full pipe
        }
        if (count < 0 && errno == EINTR)
            continue;
        break;
    }
    CloseDescriptor(output[0]);

    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return result;
    }
    if (WIFEXITED(status))
        result.exitStatus = WEXITSTATUS(status);
    return result;
}
