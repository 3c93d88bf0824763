// SPDX-License-Identifier: MIT
// The SDL window on the dummy display: created and destroyed with the
// messages the game expects, system events queued as messages, the pointer
// read as relative motion in game pixels, frames shown through the colour
// table and paced, a frame already on the screen not shown again, and a
// game that shows nothing resting while it polls.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"
#include "tests/platform/platform_test_support.h"
#include "tests/platform/sdl_test_events.h"

namespace {

// Messages as the game sees them: which, and their wParam.
using Messages = std::vector<std::pair<uint32_t, WPARAM>>;

Messages Received;

LRESULT RecordingProcedure(WindowHandle, uint32_t message, WPARAM wParam, LPARAM) {
    Received.emplace_back(message, wParam);
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return 0;
}

// Every message waiting in the queue, taken out in order.
Messages Drain() {
    Messages messages;
    Message message;
    while (PeekMessage(&message)) {
        GetMessage(&message);
        EXPECT_EQ(message.window, CurrentGameWindow());
        messages.emplace_back(message.message, message.wParam);
    }
    return messages;
}

// Pushes the events as SDL would report them for the game's window, and
// takes out the messages they become.
Messages Deliver(std::initializer_list<SDL_Event> events) {
    for (SDL_Event event : events) {
        event.window.windowID = SDL_GetWindowID(GameSdlWindow());
        EXPECT_EQ(SDL_PushEvent(&event), 1);
    }
    return Drain();
}

// Where the pointer reads now.
std::pair<int32_t, int32_t> Pointer() {
    int32_t x = 0;
    int32_t y = 0;
    GetCursorPos(&x, &y);
    return {x, y};
}

class SdlWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseVirtualDevices();
        Received.clear();
        ClearMessageQueue();
        window = CreateGameWindow("Torvex", RecordingProcedure, "icon1");
        ASSERT_NE(window, nullptr);
        atCreation = Received;
        // What SDL itself reports about the new window is not for the test.
        SDL_PumpEvents();
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        Received.clear();
    }
    void TearDown() override {
        if (CurrentGameWindow() != nullptr)
            DestroyWindow(window);
        ClearMessageQueue();
    }
    WindowHandle window = nullptr;
    Messages atCreation;
};

TEST_F(SdlWindowTest, CreationActivatesAtOnceAndDestructionDeliversDestroyOnce) {
    EXPECT_EQ(atCreation, (Messages{{WM_ACTIVATEAPP, 1}})) << "before creation returns";
    EXPECT_EQ(CreateGameWindow("Torvex", RecordingProcedure, "icon1"), nullptr)
        << "the game has one window";
    EXPECT_EQ(DestroyWindow(window), 1);
    EXPECT_EQ(Received, (Messages{{WM_DESTROY, 0}}));
    EXPECT_EQ(GameSdlWindow(), nullptr);
    EXPECT_EQ(DestroyWindow(window), 0) << "a window goes once";
    EXPECT_EQ(Drain(), (Messages{{WM_QUIT, 0}})) << "the procedure's quit is waiting";
}

TEST_F(SdlWindowTest, EventsArriveAsMessagesInOrderAndCloseOrFocusChangesOnlyOnce) {
    // Each in a pass of its own: taking and letting go of the pointer drops
    // the motion SDL still holds, and this is about motion that comes later.
    EXPECT_EQ(Deliver({Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONDOWN), Key(SDLK_F3),
                       Window(SDL_WINDOWEVENT_FOCUS_GAINED),  // active since creation
                       Window(SDL_WINDOWEVENT_FOCUS_LOST), Window(SDL_WINDOWEVENT_FOCUS_LOST),
                       Window(SDL_WINDOWEVENT_CLOSE), Of(SDL_QUIT), Key(SDLK_F4, KMOD_LALT),
                       Button(SDL_BUTTON_RIGHT, SDL_MOUSEBUTTONUP)}),
              (Messages{{WM_RBUTTONDOWN, 0},
                        {WM_KEYDOWN, VK_F3},
                        {WM_ACTIVATEAPP, 0},
                        {WM_CLOSE, 0},
                        {WM_RBUTTONUP, 0}}));
    Deliver({Motion(25, 25)});
    EXPECT_EQ(Deliver({Window(SDL_WINDOWEVENT_FOCUS_GAINED)}), (Messages{{WM_ACTIVATEAPP, 1}}));
    Deliver({Motion(1, 2)});
    EXPECT_EQ(Pointer(), std::make_pair(321, 242)) << "motion in the background is not counted";
    SetCursorPos(320, 240);
}

TEST_F(SdlWindowTest, ThePointerIsTheCentrePlusTheMotionSinceInGamePixels) {
    EXPECT_EQ(Pointer(), std::make_pair(320, 240));
    ASSERT_EQ(OpenDisplay(window, ScreenWidth, ScreenHeight), 1);
    // A window smaller than the game's screen shows it at 0.75 of its size:
    // 3 window pixels are 4 game pixels.
    ToggleFullscreen();
    SDL_SetWindowSize(GameSdlWindow(), 480, 360);
    SDL_PumpEvents();
    std::vector<uint8_t> frame(ScreenWidth * ScreenHeight, 0);
    PaletteEntry palette[256] = {};
    PresentFrame(frame.data(), palette);
    ASSERT_NEAR(GamePixelScale(), 0.75, 1e-6);
    Drain();
    SetCursorPos(320, 240);
    Deliver({Motion(2, -4), Motion(1, -2)});
    EXPECT_EQ(Pointer(), std::make_pair(324, 232));
    EXPECT_EQ(Pointer(), std::make_pair(324, 232)) << "reading does not consume the motion";

    // Single window pixels add up across passes instead of being lost: six
    // passes of one pixel each move the game eight pixels in all.
    SetCursorPos(320, 240);
    std::vector<int32_t> steps;
    for (int pass = 0; pass < 6; ++pass) {
        Deliver({Motion(1, 0)});
        steps.push_back(Pointer().first - 320);
        SetCursorPos(320, 240);
    }
    EXPECT_EQ(steps, (std::vector<int32_t>{1, 1, 2, 1, 1, 2}));
    CloseDisplay();
}

TEST_F(SdlWindowTest, AltEnterSwitchesBetweenFullscreenAndAWindowUnseenByTheGame) {
    const Uint32 fullscreen = SDL_WINDOW_FULLSCREEN_DESKTOP;
    EXPECT_TRUE(SDL_GetWindowFlags(GameSdlWindow()) & fullscreen) << "the game starts fullscreen";
    EXPECT_TRUE(Deliver({Key(SDLK_RETURN, KMOD_LALT)}).empty());
    EXPECT_FALSE(SDL_GetWindowFlags(GameSdlWindow()) & fullscreen);
    EXPECT_TRUE(Deliver({Key(SDLK_RETURN, KMOD_RALT)}).empty());
    EXPECT_TRUE(SDL_GetWindowFlags(GameSdlWindow()) & fullscreen);
}

TEST_F(SdlWindowTest, FramesOfTheGamesSizeAreShownThroughThePaletteAndPaced) {
    EXPECT_EQ(OpenDisplay(nullptr, ScreenWidth, ScreenHeight), 0);
    EXPECT_EQ(OpenDisplay(window, 800, 600), 0);
    ASSERT_EQ(OpenDisplay(window, ScreenWidth, ScreenHeight), 1);
    std::vector<uint8_t> frame(ScreenWidth * ScreenHeight, 1);
    frame[0] = 2;                               // top-left corner
    frame[ScreenWidth * ScreenHeight - 1] = 3;  // bottom-right corner
    PaletteEntry palette[256] = {};
    palette[1] = {10, 20, 30, 0};
    palette[2] = {200, 100, 50, 0};
    palette[3] = {1, 2, 250, 0};
    const uint64_t before = FramesShown();
    PresentFrame(frame.data(), palette);
    EXPECT_EQ(FramesShown(), before + 1);

    // The dummy display's desktop is wider than 4:3: the frame stands in
    // the middle at whole-pixel scale, with black around it.
    SDL_Renderer* renderer = SDL_GetRenderer(GameSdlWindow());
    ASSERT_NE(renderer, nullptr);
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    const int scale = std::min(width / ScreenWidth, height / ScreenHeight);
    ASSERT_GE(scale, 1);
    const int left = (width - ScreenWidth * scale) / 2;
    const int top = (height - ScreenHeight * scale) / 2;
    SDL_RenderSetLogicalSize(renderer, 0, 0);  // read the output as it is
    auto at = [&](int x, int y) {
        SDL_Rect pixel{x, y, 1, 1};
        uint32_t colour = 0;
        EXPECT_EQ(SDL_RenderReadPixels(renderer, &pixel, SDL_PIXELFORMAT_ARGB8888, &colour, 4), 0);
        return colour & 0xFFFFFF;
    };
    EXPECT_EQ(at(left, top), 0xC86432u);
    EXPECT_EQ(at(left + scale * ScreenWidth - 1, top + scale * ScreenHeight - 1), 0x0102FAu);
    EXPECT_EQ(at(width / 2, height / 2), 0x0A141Eu);
    if (left > 0) {
        EXPECT_EQ(at(left - 1, height / 2), 0u) << "black bar on the left";
    }
    if (top > 0) {
        EXPECT_EQ(at(width / 2, top - 1), 0u) << "black bar at the top";
    }

    // The dummy display offers no vertical sync: frames are spaced at the
    // fallback rate of 60 per second, so the game's loop cannot spin. Each
    // frame differs from the last, so each is shown. The moments are fixed
    // from the frame before the clock starts, and a loop that comes late
    // (by up to two intervals; later, it starts afresh) shows frames at once
    // until it has caught up, so 12 frames take at least 10 intervals.
    PresentFrame(frame.data(), palette);
    const uint64_t shownBefore = FramesShown();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 12; ++i) {
        frame[1] = static_cast<uint8_t>(i % 2 == 0 ? 2 : 1);
        PresentFrame(frame.data(), palette);
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10 * 1000 / 60));
    EXPECT_EQ(FramesShown(), shownBefore + 12);
    CloseDisplay();
    CloseDisplay();  // twice is harmless
}

TEST_F(SdlWindowTest, AFrameAlreadyOnTheScreenIsNotShownAgainButKeepsThePace) {
    ASSERT_EQ(OpenDisplay(window, ScreenWidth, ScreenHeight), 1);
    SDL_Renderer* renderer = SDL_GetRenderer(GameSdlWindow());
    ASSERT_NE(renderer, nullptr);
    Drain();  // what SDL reports about the window as the display opens
    std::vector<uint8_t> frame(ScreenWidth * ScreenHeight, 1);
    PaletteEntry palette[256] = {};
    palette[1] = {10, 20, 30, 0};
    palette[2] = {40, 50, 60, 0};
    // The colour at the middle of the window, as the screen holds it.
    auto middle = [&] {
        int width = 0;
        int height = 0;
        SDL_GetRendererOutputSize(renderer, &width, &height);
        SDL_RenderSetLogicalSize(renderer, 0, 0);
        SDL_Rect pixel{width / 2, height / 2, 1, 1};
        uint32_t colour = 0;
        EXPECT_EQ(SDL_RenderReadPixels(renderer, &pixel, SDL_PIXELFORMAT_ARGB8888, &colour, 4), 0);
        SDL_RenderSetLogicalSize(renderer, ScreenWidth, ScreenHeight);
        return colour & 0xFFFFFF;
    };

    const uint64_t shown = FramesShown();
    const uint64_t paced = FramesPaced();
    PresentFrame(frame.data(), palette);
    EXPECT_EQ(FramesShown(), shown + 1);

    // The same frame again and again: nothing is presented, and every pass
    // still waits for its moment, so the game's loop keeps its pace (at
    // least 10 intervals for 12 frames, as a late loop catches up).
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 12; ++i)
        PresentFrame(frame.data(), palette);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10 * 1000 / 60));
    EXPECT_EQ(FramesShown(), shown + 1);
    EXPECT_EQ(FramesPaced(), paced + 13);
    EXPECT_EQ(middle(), 0x0A141Eu);

    // A single pixel or a single colour makes a new frame, and it is shown.
    frame[ScreenWidth * (ScreenHeight / 2) + ScreenWidth / 2] = 2;
    PresentFrame(frame.data(), palette);
    EXPECT_EQ(FramesShown(), shown + 2);
    EXPECT_EQ(middle(), 0x28323Cu);
    palette[2].red = 41;
    PresentFrame(frame.data(), palette);
    EXPECT_EQ(FramesShown(), shown + 3);
    EXPECT_EQ(middle(), 0x29323Cu);
    PresentFrame(frame.data(), palette);
    EXPECT_EQ(FramesShown(), shown + 3);

    // Another window lay over the game's and went: the screen must be drawn
    // again, the same frame included. Focus changes alone need nothing.
    Deliver({Window(SDL_WINDOWEVENT_FOCUS_LOST), Window(SDL_WINDOWEVENT_FOCUS_GAINED)});
    PresentFrame(frame.data(), palette);
    EXPECT_EQ(FramesShown(), shown + 3);
    Deliver({Window(SDL_WINDOWEVENT_EXPOSED)});
    PresentFrame(frame.data(), palette);
    EXPECT_EQ(FramesShown(), shown + 4);
    CloseDisplay();
}

TEST_F(SdlWindowTest, AGameThatShowsNothingRestsWhilePolling) {
    // No frame between polls (the game is in the background): each empty
    // poll waits a moment for input instead of returning at once.
    Drain();
    const auto start = std::chrono::steady_clock::now();
    Message message;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(PeekMessage(&message), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(80));

    // An event that arrives meanwhile is seen by the poll.
    SDL_Event key = Key(SDLK_F2);
    key.window.windowID = SDL_GetWindowID(GameSdlWindow());
    ASSERT_EQ(SDL_PushEvent(&key), 1);
    ASSERT_EQ(PeekMessage(&message), 1);
    EXPECT_EQ(message.wParam, VK_F2);
}

}  // namespace
