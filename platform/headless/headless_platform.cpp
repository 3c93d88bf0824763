// SPDX-License-Identifier: MIT
// The headless backend: a machine that exists only in memory.
#include <strings.h>
#include <algorithm>
#include <cstring>
#include <deque>

#include "platform/common/message_queue.h"
#include "platform/embedded_resources.h"
#include "platform/headless/headless.h"
#include "platform/indexed_bitmap_file.h"

namespace {

struct OverrideResource {
    std::string name;
    std::string type;
    std::vector<uint8_t> bytes;
    bool hidden;
};

struct HeadlessMachine {
    uint32_t ticks = 0;
    int32_t pointerX = ScreenWidth / 2;
    int32_t pointerY = ScreenHeight / 2;
    std::deque<std::string> dialogAnswers;  // "" with cancel flag below
    std::deque<bool> dialogCancels;
    bool displayAvailable = true;
    bool audioAvailable = true;
    bool displayOpen = false;
    bool audioOpen = false;
    std::vector<OverrideResource> resources;
    std::vector<std::string> log;
    uint64_t framesPresented = 0;
    std::vector<uint8_t> framePixels = std::vector<uint8_t>(ScreenWidth * ScreenHeight, 0);
    PaletteEntry framePalette[256] = {};
    std::vector<HeadlessVoice> voices;
};

HeadlessMachine Machine;

std::string OneLine(const char* text) {
    std::string line;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c == '\n') {
            line += "\\n";
        } else {
            line += *c;
        }
    }
    return line;
}

bool ValidVoice(VoiceHandle voice) {
    return Machine.audioOpen && voice >= 0 &&
           voice < static_cast<VoiceHandle>(Machine.voices.size());
}

}  // namespace

// --- controls ---------------------------------------------------------------

void HeadlessReset() {
    Machine = HeadlessMachine();
    ClearMessageQueue();
    ReleaseTickCount();
    UnregisterGameWindow();
}

void HeadlessSetTicks(uint32_t ticks) {
    Machine.ticks = ticks;
}
void HeadlessAdvanceTicks(uint32_t milliseconds) {
    Machine.ticks += milliseconds;
}

void HeadlessMovePointer(int32_t dx, int32_t dy) {
    Machine.pointerX += dx;
    Machine.pointerY += dy;
}

void HeadlessPostInput(uint32_t message, WPARAM wParam, LPARAM lParam) {
    WindowHandle window = CurrentGameWindow();
    if (window != nullptr)
        PostMessage(window, message, wParam, lParam);
}

void HeadlessAddDialogAnswer(const std::string& path) {
    Machine.dialogAnswers.push_back(path);
    Machine.dialogCancels.push_back(false);
}

void HeadlessAddDialogCancel() {
    Machine.dialogAnswers.push_back("");
    Machine.dialogCancels.push_back(true);
}

void HeadlessSetDisplayAvailable(bool available) {
    Machine.displayAvailable = available;
}
void HeadlessSetAudioAvailable(bool available) {
    Machine.audioAvailable = available;
}
bool HeadlessDisplayIsOpen() {
    return Machine.displayOpen;
}
bool HeadlessAudioIsOpen() {
    return Machine.audioOpen;
}

void HeadlessAddResource(const std::string& name, const std::string& type,
                         std::vector<uint8_t> bytes) {
    Machine.resources.push_back({name, type, std::move(bytes), false});
}

void HeadlessHideResource(const std::string& name, const std::string& type) {
    Machine.resources.push_back({name, type, {}, true});
}

const std::vector<std::string>& HeadlessLog() {
    return Machine.log;
}
void HeadlessClearLog() {
    Machine.log.clear();
}

uint64_t HeadlessFramesPresented() {
    return Machine.framesPresented;
}
const uint8_t* HeadlessFramePixels() {
    return Machine.framePixels.data();
}
const PaletteEntry* HeadlessFramePalette() {
    return Machine.framePalette;
}

bool HeadlessWriteFrameBmp(const std::string& path) {
    return WriteIndexedBitmapFile(path, Machine.framePixels.data(), ScreenWidth, ScreenHeight,
                                  Machine.framePalette);
}

const std::vector<HeadlessVoice>& HeadlessVoices() {
    return Machine.voices;
}

// --- the platform -----------------------------------------------------------

uint32_t SystemTickCount() {
    return Machine.ticks;
}

void WaitMilliseconds(uint32_t milliseconds) {
    Machine.ticks += milliseconds;
}

void CollectSystemEvents() {}  // input arrives through HeadlessPostInput

WindowHandle CreateGameWindow(const char*, WindowProcedure procedure, const char*) {
    WindowHandle window = RegisterGameWindow(procedure);
    procedure(window, WM_ACTIVATEAPP, 1, 0);
    return window;
}

int DestroyWindow(WindowHandle window) {
    if (window == nullptr || window != CurrentGameWindow())
        return 0;
    window->procedure(window, WM_DESTROY, 0, 0);
    UnregisterGameWindow();
    return 1;
}

void GetCursorPos(int32_t* x, int32_t* y) {
    *x = Machine.pointerX;
    *y = Machine.pointerY;
}

void SetCursorPos(int32_t x, int32_t y) {
    Machine.pointerX = x;
    Machine.pointerY = y;
}

void HideSystemCursor() {}

void MessageBox(WindowHandle, const char* text, const char* caption) {
    Machine.log.push_back("messagebox " + OneLine(caption) + " | " + OneLine(text));
}

int GetOpenFileName(char* path, size_t capacity) {
    if (path == nullptr || capacity == 0)
        return 0;
    std::string initial = OneLine(path);
    if (Machine.dialogAnswers.empty() || Machine.dialogCancels.front()) {
        if (!Machine.dialogAnswers.empty()) {
            Machine.dialogAnswers.pop_front();
            Machine.dialogCancels.pop_front();
        }
        Machine.log.push_back("dialog " + initial + " -> cancel");
        return 0;
    }
    std::string answer = Machine.dialogAnswers.front();
    Machine.dialogAnswers.pop_front();
    Machine.dialogCancels.pop_front();
    Machine.log.push_back("dialog " + initial + " -> " + answer);
    if (answer.size() + 1 > capacity) {
        std::memcpy(path, answer.c_str(), capacity - 1);
        path[capacity - 1] = '\0';
        return PathTooLong;
    }
    std::memcpy(path, answer.c_str(), answer.size() + 1);
    return 1;
}

int OpenDisplay(WindowHandle window, int width, int height) {
    Machine.displayOpen = Machine.displayAvailable && window != nullptr && width == ScreenWidth &&
                          height == ScreenHeight;
    return Machine.displayOpen ? 1 : 0;
}

void PresentFrame(const uint8_t* pixels, const PaletteEntry* palette) {
    if (!Machine.displayOpen || pixels == nullptr)
        return;
    std::memcpy(Machine.framePixels.data(), pixels, Machine.framePixels.size());
    std::memcpy(Machine.framePalette, palette, sizeof(Machine.framePalette));
    ++Machine.framesPresented;
}

void CloseDisplay() {
    Machine.displayOpen = false;
}

int OpenAudio(WindowHandle) {
    Machine.audioOpen = Machine.audioAvailable;
    return Machine.audioOpen ? 1 : 0;
}

VoiceHandle CreateVoice(const char* name, const uint8_t* samples, uint32_t count, uint32_t rate) {
    if (!Machine.audioOpen || count == 0 || rate == 0)
        return NoVoice;
    HeadlessVoice voice;
    voice.name = name;
    voice.samples.assign(samples, samples + count);  // a real device copies the clip too
    voice.rate = rate;
    Machine.voices.push_back(voice);
    return static_cast<VoiceHandle>(Machine.voices.size() - 1);
}

void PlayVoice(VoiceHandle voice, PlayMode mode, uint32_t) {
    if (!ValidVoice(voice))
        return;
    HeadlessVoice& entry = Machine.voices[voice];
    const char* word = mode == Stopped ? "stop" : mode == Once ? "once" : "loop";
    Machine.log.push_back("sound " + entry.name + " " + word);
    entry.playing = mode != Stopped;
    entry.looping = mode == Looping;
}

void RewindVoice(VoiceHandle voice) {
    if (!ValidVoice(voice))
        return;
    Machine.log.push_back("sound " + Machine.voices[voice].name + " rewind");
}

void DestroyVoice(VoiceHandle voice) {
    if (!ValidVoice(voice))
        return;
    Machine.voices[voice].playing = false;
}

void CloseAudio() {
    Machine.audioOpen = false;
}

int FindResource(const char* name, const char* type, ResourceData* resource) {
    if (name == nullptr || type == nullptr)
        return 0;
    // The newest override counts, so a test can replace its own replacement.
    for (auto entry = Machine.resources.rbegin(); entry != Machine.resources.rend(); ++entry) {
        if (strcasecmp(entry->name.c_str(), name) == 0 &&
            strcasecmp(entry->type.c_str(), type) == 0) {
            if (entry->hidden)
                return 0;
            resource->bytes = entry->bytes.data();
            resource->size = entry->bytes.size();
            return 1;
        }
    }
    return FindEmbeddedResource(name, type, resource);
}
