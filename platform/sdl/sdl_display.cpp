// SPDX-License-Identifier: MIT
// The 640x480 screen of palette indices, shown on a modern display.
//
// Each frame's indices go through a 256-entry lookup table of the palette's
// colours straight into a streaming texture, which the renderer scales up
// by nearest neighbour, keeping 4:3 with black bars and, wherever the
// window is large enough, every game pixel the same whole number of screen
// pixels. A frame that is byte for byte the one on the screen (on a board
// where nothing moves, nearly every frame) is not converted, uploaded or
// presented again. Every frame, shown or not, is
// paced: presentation waits for the display's refresh where the renderer
// offers vertical sync; otherwise (software rendering, a virtual display)
// the loop sleeps until the next frame's moment here, so it never runs
// faster than the screen can show and its timing is the same whether a
// frame was shown or not.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

#include "platform/common/shown_frame.h"
#include "platform/frame_conversion.h"
#include "platform/platform.h"
#include "platform/sdl/renderer_choice.h"
#include "platform/sdl/sdl_backend.h"

namespace {

// The pace when the display does not say its refresh rate.
constexpr int FallbackRefreshRate = 60;

// How long the display waits for the answer to which rasteriser OpenGL
// uses. The helper started with the window and has had the start-up pause
// to answer; one that takes longer leaves the renderer as SDL offers it.
constexpr int RendererProbeMilliseconds = 3000;

SDL_Renderer* Renderer = nullptr;
SDL_Texture* Texture = nullptr;
bool IntegerScale = false;
uint32_t ColourLookup[256];
uint64_t FramesPresented = 0;
uint64_t FramesHandedOver = 0;
ShownFrame OnScreen;
// What the helper said OpenGL runs on, kept for a display that opens again;
// and whether the choice was told yet (once, however often it opens).
bool RendererKnown = false;
std::string GlRenderer;
bool ChoiceTold = false;

// Pacing, in performance-counter ticks: the earliest moment for the next
// frame, and the time one refresh of the display takes. With vertical sync
// a frame that is shown is paced at twice the refresh rate, as a guard only
// for drivers that promise sync and do not wait; one that is not shown has
// no present to wait in and is paced at the refresh rate itself.
Uint64 NextPresent = 0;
Uint64 RefreshInterval = 0;
bool Synced = false;

int RefreshRate(SDL_Window* window) {
    SDL_DisplayMode mode;
    const int display = SDL_GetWindowDisplayIndex(window);
    if (display >= 0 && SDL_GetDesktopDisplayMode(display, &mode) == 0 && mode.refresh_rate > 0) {
        return mode.refresh_rate;
    }
    return 0;
}

SDL_Renderer* MakeRenderer(SDL_Window* window, bool askForSync) {
    const Uint32 sync = askForSync ? SDL_RENDERER_PRESENTVSYNC : 0;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | sync);
    if (renderer == nullptr)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    return renderer;
}

// The renderer for the game's window: the one SDL offers, unless that is
// OpenGL on a software rasteriser and SDL's own software renderer can draw
// in this window (it cannot on every video driver: without a window surface
// of its own it fails, and then the offered one stays).
SDL_Renderer* ChooseAndMakeRenderer(SDL_Window* window, bool askForSync) {
    const char* playerDriver = std::getenv("SDL_RENDER_DRIVER");
    if (!RendererKnown) {
        RendererKnown =
            RendererProbeAnswer(RendererProbeMilliseconds, &GlRenderer) && !GlRenderer.empty();
    } else {
        CancelRendererProbe();  // one started with a later window is not needed
    }
    const bool known = RendererKnown;
    const std::string& glRenderer = GlRenderer;
    const RendererChoice choice =
        ChooseRenderer(known ? glRenderer.c_str() : nullptr, playerDriver);
    SDL_Renderer* renderer = nullptr;
    if (choice == RendererChoice::Software)
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    const bool fellBack = choice == RendererChoice::Software && renderer == nullptr;
    if (renderer == nullptr)
        renderer = MakeRenderer(window, askForSync);
    if (renderer != nullptr && DebugOutputWanted() && !ChoiceTold) {
        ChoiceTold = true;
        SDL_RendererInfo info;
        const char* name = SDL_GetRendererInfo(renderer, &info) == 0 ? info.name : "?";
        std::fprintf(
            stderr, "torvex: renderer %s (OpenGL here: %s%s%s)\n", name,
            known ? glRenderer.c_str() : "not asked or not available",
            playerDriver != nullptr && playerDriver[0] != '\0' ? "; SDL_RENDER_DRIVER set" : "",
            fellBack ? "; the software renderer cannot draw here" : "");
    }
    return renderer;
}

bool MakeTexture() {
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING,
                                ScreenWidth, ScreenHeight);
    if (Texture == nullptr)
        return false;
    SDL_SetTextureScaleMode(Texture, SDL_ScaleModeNearest);
    // Every pixel of the frame is opaque: a texture with an alpha channel
    // would otherwise be blended onto the screen, pixel by pixel.
    SDL_SetTextureBlendMode(Texture, SDL_BLENDMODE_NONE);
    return true;
}

// Whole-number scaling only where it fits: in a window smaller than the
// game's screen it would crop the picture instead of shrinking it.
void FitScaling() {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(Renderer, &width, &height) != 0)
        return;
    const bool fits = width >= ScreenWidth && height >= ScreenHeight;
    if (fits == IntegerScale)
        return;
    IntegerScale = fits;
    SDL_RenderSetIntegerScale(Renderer, fits ? SDL_TRUE : SDL_FALSE);
}

// Whether the scaled picture covers every pixel of the window. Then there
// are no bars to clear, and clearing would only cost a pass over the whole
// window per frame (a fifth of the game's time with software rendering).
bool PictureCoversOutput() {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(Renderer, &width, &height) != 0)
        return false;
    float scaleX = 0.0f;
    float scaleY = 0.0f;
    SDL_RenderGetScale(Renderer, &scaleX, &scaleY);
    return ScreenWidth * scaleX >= static_cast<float>(width) &&
           ScreenHeight * scaleY >= static_cast<float>(height);
}

void SleepTicks(Uint64 ticks) {
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    const Uint64 nanoseconds = ticks * 1000000000u / frequency;
    timespec rest{static_cast<time_t>(nanoseconds / 1000000000u),
                  static_cast<long>(nanoseconds % 1000000000u)};
    nanosleep(&rest, nullptr);
}

// Waits for the moment of the next frame. The moments are spaced evenly
// from one another, not from whenever a frame happened to be ready, so the
// average rate is the refresh rate; a loop that fell behind starts afresh.
// The wait is a sleep, never a spin.
void PaceFrame(Uint64 interval) {
    Uint64 now = SDL_GetPerformanceCounter();
    if (NextPresent == 0 || now > NextPresent + interval) {
        NextPresent = now;
    }
    while (now < NextPresent) {
        SleepTicks(NextPresent - now);
        now = SDL_GetPerformanceCounter();
    }
    NextPresent += interval;
}

}  // namespace

int OpenDisplay(WindowHandle window, int width, int height) {
    SDL_Window* sdlWindow = GameSdlWindow();
    if (window == nullptr || sdlWindow == nullptr || width != ScreenWidth ||
        height != ScreenHeight) {
        return 0;
    }
    if (Renderer != nullptr)
        return 1;

    // Vertical sync is asked for only from a display that says how often it
    // refreshes; the others (a virtual display, the dummy driver) are paced.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    // The software renderer draws into the window's own surface. Left to
    // itself, SDL shows that surface through a second, hardware renderer,
    // which on a machine without a graphics card means loading a software
    // OpenGL (some 60 MB) and running it every frame. Shown straight, the
    // game stays light.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    const int refresh = RefreshRate(sdlWindow);
    Renderer = ChooseAndMakeRenderer(sdlWindow, refresh > 0);
    if (Renderer == nullptr) {
        std::fprintf(stderr, "torvex: cannot draw in the game window: %s\n", SDL_GetError());
        return 0;
    }
    // Sync counts only where it was asked for: some renderers report it
    // without ever waiting (the software one on the dummy display does).
    SDL_RendererInfo info;
    Synced = refresh > 0 && SDL_GetRendererInfo(Renderer, &info) == 0 &&
             (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    const int pace = refresh > 0 ? refresh : FallbackRefreshRate;
    RefreshInterval = SDL_GetPerformanceFrequency() / static_cast<Uint64>(pace);
    NextPresent = 0;
    OnScreen.Forget();

    SDL_RenderSetLogicalSize(Renderer, ScreenWidth, ScreenHeight);
    IntegerScale = false;
    FitScaling();
    if (!MakeTexture()) {
        std::fprintf(stderr, "torvex: cannot make the screen texture: %s\n", SDL_GetError());
        CloseDisplay();
        return 0;
    }
    // Nothing is presented until the game's first frame, a moment away:
    // presenting a black one first would only make the first picture wait
    // for the window's first drawing (some 40 ms on a virtual display).
    return 1;
}

void PresentFrame(const uint8_t* pixels, const PaletteEntry* palette) {
    if (Renderer != nullptr && pixels == nullptr) {
        // Made but not shown: busy all the same, so the next poll of an
        // empty queue does not rest.
        ++FramesPresented;
        return;
    }
    if (Renderer == nullptr || pixels == nullptr || palette == nullptr)
        return;
    if (Texture == nullptr && !MakeTexture())
        return;
    ++FramesHandedOver;
    if (OnScreen.Matches(pixels, palette)) {
        PaceFrame(RefreshInterval);  // the game's loop keeps its pace all the same
        return;
    }

    BuildColourLookup(palette, ColourLookup);
    void* texels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(Texture, nullptr, &texels, &pitch) != 0) {
        PaceFrame(RefreshInterval);
        return;
    }
    ConvertIndexedFrame(pixels, ScreenWidth, ScreenHeight, ColourLookup, texels,
                        static_cast<size_t>(pitch));
    SDL_UnlockTexture(Texture);

    FitScaling();
    if (!PictureCoversOutput()) {
        SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
        SDL_RenderClear(Renderer);  // the black bars beside the picture
    }
    SDL_RenderCopy(Renderer, Texture, nullptr, nullptr);
    PaceFrame(Synced ? RefreshInterval / 2 : RefreshInterval);
    SDL_RenderPresent(Renderer);
    OnScreen.Remember(pixels, palette);
    ++FramesPresented;
}

void CloseDisplay() {
    if (Texture != nullptr)
        SDL_DestroyTexture(Texture);
    Texture = nullptr;
    if (Renderer != nullptr)
        SDL_DestroyRenderer(Renderer);
    Renderer = nullptr;
    OnScreen.Forget();
}

double GamePixelScale() {
    if (Renderer == nullptr)
        return 1.0;
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    SDL_RenderGetScale(Renderer, &scaleX, &scaleY);
    return scaleX > 0.0f ? scaleX : 1.0;
}

uint64_t FramesShown() {
    return FramesPresented;
}

uint64_t FramesPaced() {
    return FramesHandedOver;
}

void ForgetShownFrame() {
    OnScreen.Forget();
}

bool DebugOutputWanted() {
    const char* debug = std::getenv("TORVEX_DEBUG");
    return debug != nullptr && debug[0] != '\0' && std::strcmp(debug, "0") != 0;
}

void NoteRenderDeviceReset() {
    // The texture went with the device; SDL has not freed our handle, and
    // destroying it is still the way to let it go.
    if (Texture != nullptr)
        SDL_DestroyTexture(Texture);
    Texture = nullptr;
    OnScreen.Forget();
}
