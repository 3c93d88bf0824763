// SPDX-License-Identifier: MIT
#include "app/replay_seam.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/replay_files.h"
#include "app/replay_format.h"
#include "app/shell_state.h"
#include "board/clock.h"
#include "files/map_file.h"
#include "files/sha256.h"
#include "state/game_state.h"
#include "version.h"

int32_t PlayingReplay;
std::string ReplayFolder;

namespace {

// Room for one game's replay: a pass takes three bytes at most while the
// pointer moves in small steps, so this holds hours of play; a game that
// outgrows it is simply not kept.
constexpr size_t RecordingCapacity = 4u << 20;
// Passes per line of codes, so a replay stays readable in an editor.
constexpr int32_t PassesPerLine = 60;

enum class SeamMode { Live, Watching };

struct Recorder {
    bool ready = false;       // the buffer is reserved and the map noted
    bool recording = false;   // a game is being recorded
    bool overflowed = false;  // it outgrew the buffer: not kept
    bool finished = false;    // it reached Won or Lost
    bool won = false;
    bool firstPass = false;  // the pass the game was started in
    std::string mapLine;     // "replay VERSION HASH PATH"
    std::string body;
    std::string last;  // the last finished replay's text
    // The passes written on the open line, and the one repeated.
    bool lineOpen = false;
    int32_t codesOnLine = 0;
    ReplayPass repeated;
    uint32_t repeats = 0;
    bool havePass = false;
    // Where the message being handled begins in `body` (so a message that
    // starts the next game can be taken back), and the message itself.
    size_t messageStart = 0;
    bool inMessage = false;
    Message current{};
    uint32_t lastReading = 0;
    int32_t dx = 0;
    int32_t dy = 0;
};

struct Watch {
    uint32_t reading = 0;
    int32_t dx = 0;
    int32_t dy = 0;
    int32_t messagesLeft = 0;
    PlayerMessageHandler handler = nullptr;
};

// Messages the game posted to itself and has not taken back yet, by message.
constexpr int32_t OwnMessageKinds = 4;
struct OwnMessage {
    uint32_t message;
    int32_t count;
};

SeamMode Mode;
Recorder Rec;
Watch Watching;
OwnMessage OwnMessages[OwnMessageKinds];

// Codes of a pass and message lines are put together here: its room is
// reserved at start-up, so a pass allocates nothing.
std::string Scratch;
constexpr size_t ScratchCapacity = 256;

bool Append(const char* text, size_t size) {
    if (Rec.overflowed || Rec.body.size() + size > RecordingCapacity) {
        if (!Rec.overflowed)
            std::fprintf(stderr, "torvex: this game is too long to keep as a replay\n");
        Rec.overflowed = true;
        return false;
    }
    Rec.body.append(text, size);
    return true;
}

bool Append(const std::string& text) {
    return Append(text.data(), text.size());
}

// Ends the open line of pass codes, with the repeat count it owes.
void CloseCodeLine() {
    if (!Rec.lineOpen)
        return;
    Scratch.clear();
    if (Rec.repeats > 0)
        AppendRepeatCode(Rec.repeats, &Scratch);
    Scratch += '\n';
    Append(Scratch);
    Rec.lineOpen = false;
    Rec.codesOnLine = 0;
    Rec.repeats = 0;
    Rec.havePass = false;
}

void AppendPass(const ReplayPass& pass) {
    if (Rec.lineOpen && Rec.havePass && pass == Rec.repeated) {
        ++Rec.repeats;
        return;
    }
    if (Rec.lineOpen && Rec.codesOnLine >= PassesPerLine)
        CloseCodeLine();
    Scratch.clear();
    if (!Rec.lineOpen) {
        Scratch += "passes ";
        Rec.lineOpen = true;
    }
    if (Rec.repeats > 0)
        AppendRepeatCode(Rec.repeats, &Scratch);
    Rec.repeats = 0;
    AppendPassCode(pass, &Scratch);
    Append(Scratch);
    Rec.repeated = pass;
    Rec.havePass = true;
    ++Rec.codesOnLine;
}

void AppendMessage(const Message& message) {
    CloseCodeLine();
    Rec.messageStart = Rec.body.size();
    char line[80];
    const int size = std::snprintf(line, sizeof(line), "message %u %llu %lld\n", message.message,
                                   static_cast<unsigned long long>(message.wParam),
                                   static_cast<long long>(message.lParam));
    Append(line, static_cast<size_t>(size));
}

uint32_t ElapsedMilliseconds() {
    return EndTick - StartTick;
}

// The replay's text: a few comment lines for whoever opens it, the map, the
// recorded game.
std::string ReplayText() {
    char time[32];
    std::snprintf(time, sizeof(time), "%u.%02u", ElapsedMilliseconds() / 1000u,
                  ElapsedMilliseconds() % 1000u / 10u);
    std::string text =
        "# Torvex replay: torvex --replay FILE shows it, torvex-headless FILE runs it\n";
    std::string name = MapName;
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < ' ')
            c = '?';
    }
    text += "# map " + name + ", " + (Rec.finished ? (Rec.won ? "won" : "lost") : "unfinished") +
            " in " + time + " s\n";
    text += Rec.mapLine;
    text += Rec.body;
    if (Rec.lineOpen) {
        if (Rec.repeats > 0)
            AppendRepeatCode(Rec.repeats, &text);
        text += '\n';
    }
    return text;
}

void StopRecording() {
    Rec.recording = false;
    Rec.inMessage = false;
}

// The pass the game is in, as the replay writes it.
ReplayPass CurrentPass() {
    uint32_t reading = Rec.lastReading;
    const bool read = HeldTickCount(&reading) != 0;
    return {read ? reading - Rec.lastReading : 0, Rec.dx, Rec.dy};
}

// Keeps a finished game; an unfinished one is dropped. A game that ends
// inside a pass's drain ends its replay with that pass, whose frame was
// drawn before the messages written above it were handled; or, when it is
// the pass the game began in, with a drain.
void EndRecording(bool midPass) {
    if (!Rec.recording)
        return;
    if (midPass && Rec.firstPass) {
        CloseCodeLine();
        Append("drain\n");
    } else if (midPass) {
        AppendPass(CurrentPass());
    }
    if (Rec.finished && !Rec.overflowed) {
        Rec.last = ReplayText();
        const std::string name =
            ReplayFileName(MapName, std::time(nullptr), Rec.won, ElapsedMilliseconds() / 1000u);
        std::string error;
        if (!KeepReplay(ReplayFolder, name, Rec.last, &error)) {
            std::fprintf(stderr, "torvex: cannot keep the replay in %s: %s\n", ReplayFolder.c_str(),
                         error.c_str());
        }
    }
    StopRecording();
}

void NoteResult() {
    if (GameState == Won || GameState == Lost) {
        Rec.finished = true;
        Rec.won = GameState == Won;
    }
}

bool TakeOwnMessage(uint32_t message) {
    for (OwnMessage& own : OwnMessages) {
        if (own.message == message && own.count > 0) {
            --own.count;
            return true;
        }
    }
    return false;
}

}  // namespace

void StartReplayRecorder() {
    if (PlayingReplay || ReplayFolder.empty())
        return;
    std::string hash;
    char absolute[PATH_MAX];
    if (!Sha256OfFile(MapPath, &hash) || realpath(MapPath, absolute) == nullptr) {
        std::fprintf(stderr, "torvex: cannot read the map again to record replays of it\n");
        return;
    }
    Rec.body.reserve(RecordingCapacity);
    Scratch.reserve(ScratchCapacity);
    Rec.mapLine = std::string("replay ") + TorvexVersion + " " + hash + " " +
                  EscapeReplayText(absolute) + "\n";
    Rec.ready = true;
}

void BeginPass() {
    if (Mode == SeamMode::Watching) {
        HoldTickCountAt(Watching.reading);
        return;
    }
    HoldTickCount();
    Rec.dx = 0;
    Rec.dy = 0;
}

void ReadPassPointer(int32_t* dx, int32_t* dy) {
    if (Mode == SeamMode::Watching) {
        *dx = Watching.dx;
        *dy = Watching.dy;
        return;
    }
    int32_t x = ScreenCentreX;
    int32_t y = ScreenCentreY;
    GetCursorPos(&x, &y);
    *dx = x - ScreenCentreX;
    *dy = y - ScreenCentreY;
    Rec.dx = *dx;
    Rec.dy = *dy;
}

int TakeMessage(const Message& message) {
    if (Mode == SeamMode::Watching) {
        if (Watching.messagesLeft > 0) {
            --Watching.messagesLeft;
            return 1;
        }
        if (TakeOwnMessage(message.message))
            return 1;
        if (Watching.handler != nullptr)
            Watching.handler(message);
        return 0;
    }
    const bool own = TakeOwnMessage(message.message);
    Rec.current = message;
    Rec.inMessage = true;
    Rec.messageStart = Rec.body.size();
    if (Rec.recording && !own)
        AppendMessage(message);
    return 1;
}

void MessageHandled(const Message& message) {
    Rec.inMessage = false;
    if (!Rec.recording)
        return;
    NoteResult();
    // The game is over once its player has left its end for the title, or
    // the window closes.
    if (message.message == WM_CLOSE || (Rec.finished && GameState == Title))
        EndRecording(true);
}

void EndPass() {
    uint32_t reading = Rec.lastReading;
    const bool read = HeldTickCount(&reading) != 0;
    ReleaseTickCount();
    if (Mode == SeamMode::Watching || !Rec.recording)
        return;
    NoteResult();
    if (Rec.firstPass) {
        CloseCodeLine();
        Append("drain\n");
        Rec.firstPass = false;
    } else {
        AppendPass({read ? reading - Rec.lastReading : 0, Rec.dx, Rec.dy});
    }
    if (read)
        Rec.lastReading = reading;
}

void NoteGameStarted() {
    if (Mode == SeamMode::Watching || !Rec.ready)
        return;
    const bool inMessage = Rec.inMessage;
    if (Rec.recording) {
        // The message that starts this game belongs to it, not to the last.
        if (inMessage)
            Rec.body.resize(Rec.messageStart);
        EndRecording(inMessage);
    }
    Rec.inMessage = inMessage;
    Rec.body.clear();
    Rec.recording = true;
    Rec.overflowed = false;
    Rec.finished = false;
    Rec.won = false;
    Rec.firstPass = true;
    Rec.lineOpen = false;
    Rec.codesOnLine = 0;
    Rec.repeats = 0;
    Rec.havePass = false;
    // The reading of this pass: taken now if the pass has not read the clock yet.
    Rec.lastReading = GetTickCount();
    Append("state " + CaptureReplayState() + "\n");
    if (inMessage)
        AppendMessage(Rec.current);
}

void NoteOwnMessage(uint32_t message) {
    for (OwnMessage& own : OwnMessages) {
        if (own.message == message || own.count == 0) {
            own.message = message;
            ++own.count;
            return;
        }
    }
}

void SupplyReplayPass(uint32_t reading, int32_t dx, int32_t dy, int32_t messages) {
    Watching.reading = reading;
    Watching.dx = dx;
    Watching.dy = dy;
    Watching.messagesLeft = messages;
}

void WatchReplayThrough(PlayerMessageHandler handler) {
    Mode = SeamMode::Watching;
    Watching.handler = handler;
}

void ResetReplaySeam() {
    PlayingReplay = 0;
    ReplayFolder.clear();
    Mode = SeamMode::Live;
    Rec = Recorder();
    Watching = Watch();
    for (OwnMessage& own : OwnMessages)
        own = OwnMessage{0, 0};
}

const std::string& LastRecordedReplay() {
    return Rec.last;
}

// The start values are the reset values, written once, above.
static const bool ReplaySeamStarted = (ResetReplaySeam(), true);
