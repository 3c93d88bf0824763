// SPDX-License-Identifier: MIT
// The page around the game: the map the player chooses, notices, the clock
// and waits, the page's storage, and the games run one after another on
// the browser's animation frames.
#include <emscripten/emscripten.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/common/message_queue.h"
#include "platform/embedded_resources.h"
#include "platform/platform.h"
#include "platform/web/page_storage.h"
#include "platform/web/pass_times.h"
#include "platform/web/web_backend.h"
#include "platform/web/web_page.h"

namespace {

MapPreparer Preparer = nullptr;
void (*HiddenHandler)() = nullptr;

bool AddressRead = false;

PassTimes Times;
std::string TimesReport;

// Shipped maps and the player's own are kept apart, so a map of the
// player's never takes the place of one that came with the game.
constexpr const char* ShippedFolder = "/maps";
constexpr const char* OpenedFolder = "/opened";

// The file name as the player's system gave it, made safe to be one name
// in one folder.
std::string SafeFileName(const char* name) {
    std::string safe = name != nullptr ? name : "";
    for (char& c : safe) {
        if (c == '/')
            c = '_';
    }
    if (safe.empty() || safe == "." || safe == "..")
        safe = "map.tvm";
    return safe;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

void RunOneFrame() {
    const uint64_t drawnBefore = FramesDrawn();
    const double start = emscripten_get_now();
    const int more = RunPagePass();
    Times.Add(emscripten_get_now() - start, FramesDrawn() != drawnBefore);
    if (more)
        return;
    emscripten_cancel_main_loop();
    // The next game starts on the browser's next turn: its start-up may
    // wait, which only a call from the page can do, not an animation frame.
    torvex_page_schedule_next_game();
}

void AppendSummary(const char* name, const PassTimeSummary& summary) {
    char text[160];
    std::snprintf(text, sizeof(text),
                  "\"%s\":{\"count\":%zu,\"median\":%.4f,\"p95\":%.4f,\"max\":%.4f}", name,
                  summary.count, summary.median, summary.slowest5Percent, summary.slowest);
    TimesReport += text;
}

}  // namespace

// --- called by the page --------------------------------------------------------------

extern "C" {

// Starts the next game: the start-up, then its passes on animation frames.
EMSCRIPTEN_KEEPALIVE void torvex_start_game() {
    // Whatever the last game left in the queue belongs to it.
    ClearMessageQueue();
    if (!StartPageGame()) {
        torvex_page_set_status("failed");
        return;
    }
    emscripten_set_main_loop(RunOneFrame, 0, 0);
}

// The pass times so far as JSON: {"drawing": {...}, "all": {...}} with the
// count, median, 95th percentile and slowest pass in milliseconds. With
// `restart`, the figures start afresh after this report.
EMSCRIPTEN_KEEPALIVE const char* torvex_pass_times(int restart) {
    TimesReport = "{";
    AppendSummary("drawing", Times.Drawing());
    TimesReport += ",";
    AppendSummary("all", Times.All());
    TimesReport += "}";
    if (restart)
        Times.Clear();
    return TimesReport.c_str();
}

}  // extern "C"

// --- the backend's own -----------------------------------------------------------

void NotePageHidden() {
    if (HiddenHandler != nullptr)
        HiddenHandler();
}

std::string PlaceChosenMap() {
    char* name = torvex_page_choice_name();
    int size = 0;
    uint8_t* data = torvex_page_choice_bytes(&size);
    const bool shipped = torvex_page_choice_shipped() != 0;
    torvex_page_choice_taken();

    const std::string fileName = SafeFileName(name);
    const std::string bytes(reinterpret_cast<const char*>(data), data != nullptr ? size : 0);
    std::free(name);
    std::free(data);

    const char* folder = shipped ? ShippedFolder : OpenedFolder;
    mkdir(folder, 0755);
    const std::string path = std::string(folder) + "/" + fileName;
    if (!WriteWholeFile(path, bytes))
        return std::string();
    if (Preparer != nullptr)
        Preparer(path.c_str(), MapStorageKey(fileName, bytes));
    return path;
}

// --- web_page.h ------------------------------------------------------------------------

void SetMapPreparer(MapPreparer preparer) {
    Preparer = preparer;
}

std::string TakeChosenMapPath() {
    // The map named in the page's address is being fetched when the program
    // starts; the first game waits for it.
    if (!AddressRead) {
        torvex_page_wait_ready();
        AddressRead = true;
    }
    if (!torvex_page_choice_waiting())
        return std::string();
    return PlaceChosenMap();
}

void SetPageHiddenHandler(void (*handler)()) {
    HiddenHandler = handler;
}

bool ReadPageStorage(const std::string& key, std::string* text) {
    char* stored = torvex_storage_read(key.c_str());
    if (stored == nullptr)
        return false;
    *text = stored;
    std::free(stored);
    return true;
}

void WritePageStorage(const std::string& key, const std::string& text) {
    torvex_storage_write(key.c_str(), text.c_str());
}

void RunGamesOnPage() {
    torvex_start_game();
}

// --- platform.h: time, notices, the map choice, resources ------------------------

uint32_t SystemTickCount() {
    // From 1970 rather than from the page's opening, so the boards the game
    // deals (seeded from the tick count) differ from one visit to the next.
    const double now = torvex_clock_now();
    return static_cast<uint32_t>(static_cast<uint64_t>(now));
}

void WaitMilliseconds(uint32_t milliseconds) {
    // The page goes on meanwhile: the program is suspended, not spinning.
    emscripten_sleep(milliseconds);
}

void MessageBox(WindowHandle, const char* text, const char* caption) {
    ReleasePointerForModal();
    torvex_page_notice(caption != nullptr ? caption : "", text != nullptr ? text : "");
}

int GetOpenFileName(char* path, size_t capacity) {
    ReleasePointerForModal();
    for (;;) {
        torvex_page_set_status("choosing");
        torvex_page_wait_for_choice();
        const std::string chosen = PlaceChosenMap();
        if (chosen.empty() || chosen.size() + 1 > capacity) {
            // The page ran out of memory for it: the player may choose again.
            torvex_page_notice("Cannot Open !", "The page has no room left for this map.");
            continue;
        }
        std::memcpy(path, chosen.c_str(), chosen.size() + 1);
        return 1;
    }
}

int FindResource(const char* name, const char* type, ResourceData* resource) {
    if (name == nullptr || type == nullptr || resource == nullptr)
        return 0;
    return FindEmbeddedResource(name, type, resource);
}
