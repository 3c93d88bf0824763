// SPDX-License-Identifier: MIT
// Asking which rasteriser carries out OpenGL here, without loading OpenGL
// into the game.
//
// The answer takes an OpenGL context, and making one loads the graphics
// driver, which on a machine without a graphics card brings a compiler for
// its software rasteriser with it: some 60 MB that stay in the process
// after the context is gone, and 0.15 s or more. So the game asks a
// helper: a second copy of its own program, started while the window
// opens, which makes a hidden OpenGL window, reads the renderer string,
// writes it into a pipe and ends. The game reads the answer when it sets
// up its display, after the start-up pause, by which time it is long there.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/sdl/sdl_backend.h"

extern char** environ;

namespace {

// Set only in the helper's environment: the descriptor to answer on.
constexpr char ProbeVariable[] = "TORVEX_RENDERER_PROBE_FD";
// The descriptor the helper answers on.
constexpr int AnswerDescriptor = 3;
constexpr unsigned RendererStringName = 0x1F01;  // GL_RENDERER

pid_t ProbeChild = -1;
int AnswerPipe = -1;

// The helper's whole work. Nothing of the game has started yet: this runs
// while the program's globals are set up, before the game's own code.
void AnswerProbe(int descriptor) {
    std::string answer;
    if (SDL_Init(SDL_INIT_VIDEO) == 0) {
        SDL_Window* window =
            SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        if (window != nullptr) {
            SDL_GLContext context = SDL_GL_CreateContext(window);
            using GetString = const unsigned char* (*)(unsigned);
            auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
            if (context != nullptr && getString != nullptr) {
                const unsigned char* name = getString(RendererStringName);
                if (name != nullptr)
                    answer = reinterpret_cast<const char*>(name);
            }
            if (context != nullptr)
                SDL_GL_DeleteContext(context);
            SDL_DestroyWindow(window);
        }
        SDL_Quit();
    }
    size_t written = 0;
    while (written < answer.size()) {
        const ssize_t step = write(descriptor, answer.data() + written, answer.size() - written);
        if (step <= 0)
            break;
        written += static_cast<size_t>(step);
    }
}

bool AnswerProbeIfAsked() {
    const char* descriptor = std::getenv(ProbeVariable);
    if (descriptor == nullptr)
        return false;
    AnswerProbe(std::atoi(descriptor));
    _exit(0);
}

// In the helper this never returns.
const bool ProbeAnswered = AnswerProbeIfAsked();

void EndProbe() {
    if (AnswerPipe >= 0)
        close(AnswerPipe);
    AnswerPipe = -1;
    if (ProbeChild > 0) {
        kill(ProbeChild, SIGKILL);
        while (waitpid(ProbeChild, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    ProbeChild = -1;
}

}  // namespace

void StartRendererProbe() {
    if (ProbeChild > 0)
        return;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        return;
    std::vector<std::string> settings;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, ProbeVariable, sizeof(ProbeVariable) - 1) != 0)
            settings.emplace_back(*entry);
    }
    settings.push_back(std::string(ProbeVariable) + "=" + std::to_string(AnswerDescriptor));
    std::vector<char*> environment;
    for (std::string& setting : settings)
        environment.push_back(setting.data());
    environment.push_back(nullptr);
    char name[] = "torvex-renderer-probe";
    char* arguments[] = {name, nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[1], AnswerDescriptor);
    // What the helper's libraries say on the way is the game's business
    // only when it draws with them itself.
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = -1;
    const int failed =
        posix_spawn(&child, "/proc/self/exe", &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    if (failed != 0) {
        close(ends[0]);
        return;
    }
    ProbeChild = child;
    AnswerPipe = ends[0];
}

bool RendererProbeAnswer(int timeoutMilliseconds, std::string* answer) {
    answer->clear();
    if (ProbeChild <= 0)
        return false;
    const Uint64 deadline = SDL_GetTicks64() + static_cast<Uint64>(timeoutMilliseconds);
    bool complete = false;
    for (;;) {
        const Uint64 now = SDL_GetTicks64();
        if (now >= deadline)
            break;
        pollfd waiting{AnswerPipe, POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(deadline - now));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char chunk[256];
        const ssize_t got = read(AnswerPipe, chunk, sizeof(chunk));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            complete = got == 0;  // the helper has said all and ended
            break;
        }
        answer->append(chunk, static_cast<size_t>(got));
    }
    EndProbe();
    return complete && !answer->empty();
}

void CancelRendererProbe() {
    EndProbe();
}
