// SPDX-License-Identifier: MIT
#include "app/replay_watch.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "app/main_loop.h"
#include "app/replay_format.h"
#include "app/replay_seam.h"
#include "app/shell_state.h"
#include "files/sha256.h"
#include "video/display.h"

std::string ReplayToWatch;

namespace {

constexpr int BadReplay = 2;
constexpr uint32_t FastestSpeed = 8;
// The last picture stays this long before the window closes.
constexpr uint32_t EndingPauseMilliseconds = 1500;
// Behind the recorded pace by more than this, frames are composed but not
// shown until the replay has caught up (fast speeds, slow screens).
constexpr uint32_t SkipFramesBehind = 40;
constexpr int32_t ClosingPassLimit = 1000;

// One thing that happens in a replay after its start, in order.
struct ReplayItem {
    enum class Kind { Message, Drain, Pass } kind;
    Message message;
    ReplayPass pass;
};

struct LoadedReplay {
    ReplayMap map;
    std::vector<int64_t> numbers;
    std::vector<std::string> texts;
    std::vector<ReplayItem> items;
};

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream stream(line);
    std::string word;
    while (stream >> word)
        words.push_back(word);
    return words;
}

bool ReadReplay(const std::string& path, LoadedReplay* replay, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        *error = "cannot read it";
        return false;
    }
    std::string line;
    int number = 0;
    bool haveMap = false;
    bool haveState = false;
    while (std::getline(file, line)) {
        ++number;
        std::vector<std::string> words = Words(line.substr(0, line.find('#')));
        if (words.empty())
            continue;
        const std::string command = words[0];
        words.erase(words.begin());
        std::string problem;
        bool parsed = true;
        const bool inOrder = haveMap && haveState;
        if (command == "replay" && !haveMap) {
            parsed = ParseReplayMapArguments(words, &replay->map, &problem);
            haveMap = true;
        } else if (command == "state" && haveMap && !haveState) {
            parsed = ParseReplayState(words, &replay->numbers, &replay->texts, &problem);
            haveState = true;
        } else if (command == "message" && inOrder) {
            ReplayItem item{ReplayItem::Kind::Message, {}, {}};
            parsed = ParseReplayMessage(words, &item.message, &problem);
            replay->items.push_back(item);
        } else if (command == "drain" && inOrder && words.empty()) {
            replay->items.push_back({ReplayItem::Kind::Drain, {}, {}});
        } else if (command == "passes" && inOrder) {
            std::string codes;
            for (const std::string& word : words)
                codes += word;
            std::vector<ReplayPass> passes;
            parsed = ParsePassCodes(codes, &passes, &problem);
            for (const ReplayPass& pass : passes)
                replay->items.push_back({ReplayItem::Kind::Pass, {}, pass});
        } else {
            parsed = false;
            problem =
                "a replay holds a replay line, a state line, then messages, drains and passes";
        }
        if (!parsed) {
            *error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
    }
    if (!haveState) {
        *error = "it is no replay: it has no replay and state lines";
        return false;
    }
    return true;
}

// --- the player's keys, and the pace -----------------------------------------------

struct Pace {
    uint32_t speed = 1;
    bool paused = false;
    bool quit = false;
    // The replay's clock is `replayAnchor` at the real moment `realAnchor`,
    // and runs `speed` times as fast while not paused.
    uint32_t replayAnchor = 0;
    uint32_t realAnchor = 0;
};

Pace Watch;

uint32_t ReplayNow(uint32_t realNow) {
    if (Watch.paused)
        return Watch.replayAnchor;
    return Watch.replayAnchor + (realNow - Watch.realAnchor) * Watch.speed;
}

// Outside a pass the clock holds nothing: this is the real time.
void Reanchor() {
    const uint32_t now = GetTickCount();
    Watch.replayAnchor = ReplayNow(now);
    Watch.realAnchor = now;
}

void HandlePlayerMessage(const Message& message) {
    if (message.message == WM_CLOSE) {
        Watch.quit = true;
        return;
    }
    if (message.message != WM_KEYDOWN)
        return;
    const bool repeat = (message.lParam & (LPARAM{1} << 30)) != 0;
    switch (message.wParam) {
        case VK_ESCAPE:
            Watch.quit = true;
            break;
        case VK_SPACE:
            if (!repeat) {
                Reanchor();
                Watch.paused = !Watch.paused;
            }
            break;
        case VK_RIGHT:
            Reanchor();
            if (Watch.speed < FastestSpeed)
                Watch.speed *= 2;
            break;
        case VK_LEFT:
            Reanchor();
            if (Watch.speed > 1)
                Watch.speed /= 2;
            break;
        default:
            break;
    }
}

// Everything the player did since the last pass; 0 once the game has ended.
int DrainPlayerInput() {
    Message message;
    while (PeekMessage(&message)) {
        if (!GetMessage(&message))
            return 0;
        HandlePlayerMessage(message);
    }
    return 1;
}

// Waits until the replay's clock reaches `elapsed` milliseconds after its
// start. False when the player quits meanwhile.
bool WaitForMoment(uint32_t elapsed) {
    for (;;) {
        if (Watch.quit)
            return false;
        const uint32_t now = ReplayNow(GetTickCount());
        const int32_t ahead = static_cast<int32_t>(elapsed - now);
        if (ahead <= 0) {
            ShowingFrames = static_cast<uint32_t>(-ahead) <= SkipFramesBehind ? 1 : 0;
            return true;
        }
        // Time to spare: the player's keys meanwhile. (Behind, the pass's
        // own drain hands them over.)
        if (!DrainPlayerInput())
            Watch.quit = true;
        if (Watch.quit)
            return false;
        const uint32_t real =
            Watch.paused ? 10 : (static_cast<uint32_t>(ahead) + Watch.speed - 1) / Watch.speed;
        WaitMilliseconds(real < 10 ? real : 10);
    }
}

void PostReplayMessages(const std::vector<Message>& messages) {
    for (const Message& message : messages)
        PostMessage(GameWindow, message.message, message.wParam, message.lParam);
}

// Closes the game as its own close would, and lets its last passes run.
void CloseGame(uint32_t reading) {
    ShowingFrames = 1;
    NoteOwnMessage(WM_CLOSE);
    PostMessage(GameWindow, WM_CLOSE, 0, 0);
    for (int32_t i = 0; i < ClosingPassLimit; ++i) {
        SupplyReplayPass(reading, 0, 0, 0);
        if (!RunMainLoopPass())
            return;
    }
}

}  // namespace

int WatchReplay(const std::string& path, const std::string& mapText) {
    LoadedReplay replay;
    std::string error;
    if (!ReadReplay(path, &replay, &error)) {
        std::fprintf(stderr, "torvex: %s: %s\n", path.c_str(), error.c_str());
        return BadReplay;
    }
    const std::string mapPath = mapText.empty() ? replay.map.path : mapText;
    std::string hash;
    if (!Sha256OfFile(mapPath.c_str(), &hash)) {
        std::fprintf(stderr, "torvex: %s: cannot read its map %s\n", path.c_str(), mapPath.c_str());
        return BadReplay;
    }
    if (hash != replay.map.hash) {
        std::fprintf(stderr,
                     "torvex: %s: the map %s is not the one this replay was played on (its "
                     "SHA-256 differs)\n",
                     path.c_str(), mapPath.c_str());
        return BadReplay;
    }

    PlayingReplay = 1;
    if (!StartUpGame(mapPath.c_str()))
        return 0;
    WatchReplayThrough(HandlePlayerMessage);
    Watch = Pace();
    DrainPlayerInput();
    ApplyReplayState(replay.numbers, replay.texts);
    const uint32_t start = ReplayStateTick(replay.numbers);
    uint32_t reading = start;
    Watch.replayAnchor = 0;
    Watch.realAnchor = GetTickCount();

    std::vector<Message> messages;
    for (const ReplayItem& item : replay.items) {
        if (item.kind == ReplayItem::Kind::Message) {
            messages.push_back(item.message);
            continue;
        }
        if (item.kind == ReplayItem::Kind::Pass) {
            reading += item.pass.step;
            if (!WaitForMoment(reading - start))
                break;
        }
        PostReplayMessages(messages);
        SupplyReplayPass(reading, item.pass.dx, item.pass.dy,
                         static_cast<int32_t>(messages.size()));
        messages.clear();
        int running = 1;
        if (item.kind == ReplayItem::Kind::Drain) {
            HoldTickCountAt(reading);
            running = FinishMainLoopPass();
        } else {
            running = RunMainLoopPass();
        }
        if (!running)
            return 1;
    }
    // The last picture stays a moment, unless the player has had enough.
    ShowingFrames = 1;
    const uint32_t ended = ReplayNow(GetTickCount());
    if (!Watch.quit) {
        Watch.paused = false;
        Watch.speed = 1;
        Watch.replayAnchor = ended;
        Watch.realAnchor = GetTickCount();
        WaitForMoment(ended + EndingPauseMilliseconds);
    }
    CloseGame(reading);
    return 1;
}
