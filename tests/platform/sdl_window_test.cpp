// The SDL window on the dummy display: created and destroyed with the
// messages the game expects, system events queued as messages, the pointer
// read as relative motion in game pixels, frames shown through the colour
// table and paced, and a game that shows nothing resting while it polls.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "platform/common/message_queue.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_backend.h"
#include "tests/platform/sdl_test_support.h"

namespace {

std::vector<Message> Received;

LRESULT RecordingProcedure(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    Received.push_back(Message{window, message, wParam, lParam});
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return 0;
}

// Every message waiting in the queue, taken out in order.
std::vector<Message> Drain() {
    std::vector<Message> messages;
    Message message;
    while (PeekMessage(&message)) {
        GetMessage(&message);
        messages.push_back(message);
    }
    return messages;
}

void Push(SDL_Event event) {
    event.window.windowID = SDL_GetWindowID(GameSdlWindow());
    ASSERT_EQ(SDL_PushEvent(&event), 1);
}

SDL_Event WindowEvent(Uint8 what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    return event;
}

SDL_Event Motion(int dx, int dy) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.xrel = dx;
    event.motion.yrel = dy;
    return event;
}

SDL_Event Key(SDL_Keycode key, Uint16 modifiers = KMOD_NONE) {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.mod = modifiers;
    return event;
}

class SdlWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseVirtualDevices();
        Received.clear();
        ClearMessageQueue();
        window = CreateGameWindow("Torvex", RecordingProcedure, "icon1");
        ASSERT_NE(window, nullptr);
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
};

TEST(SdlWindow, CreationActivatesAtOnceAndDestructionDeliversDestroy) {
    UseVirtualDevices();
    Received.clear();
    WindowHandle window = CreateGameWindow("Torvex", RecordingProcedure, "icon1");
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(Received.size(), 1u) << "the activation arrives before creation returns";
    EXPECT_EQ(Received[0].message, WM_ACTIVATEAPP);
    EXPECT_EQ(Received[0].wParam, 1u);
    EXPECT_NE(GameSdlWindow(), nullptr);
    EXPECT_EQ(CreateGameWindow("Torvex", RecordingProcedure, "icon1"), nullptr)
        << "the game has one window";

    EXPECT_EQ(DestroyWindow(window), 1);
    ASSERT_EQ(Received.size(), 2u);
    EXPECT_EQ(Received[1].message, WM_DESTROY);
    EXPECT_EQ(GameSdlWindow(), nullptr);
    EXPECT_EQ(DestroyWindow(window), 0) << "a window goes once";
    const std::vector<Message> left = Drain();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].message, WM_QUIT) << "the procedure's quit is waiting";
    ClearMessageQueue();
}

TEST_F(SdlWindowTest, SystemEventsArriveAsMessagesInOrder) {
    SDL_Event press{};
    press.type = SDL_MOUSEBUTTONDOWN;
    press.button.button = SDL_BUTTON_RIGHT;
    Push(press);
    Push(Key(SDLK_F3));
    SDL_Event release = press;
    release.type = SDL_MOUSEBUTTONUP;
    Push(release);
    const std::vector<Message> messages = Drain();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message, WM_RBUTTONDOWN);
    EXPECT_EQ(messages[1].message, WM_KEYDOWN);
    EXPECT_EQ(messages[1].wParam, VK_F3);
    EXPECT_EQ(messages[2].message, WM_RBUTTONUP);
    for (const Message& message : messages)
        EXPECT_EQ(message.window, window);
}

TEST_F(SdlWindowTest, ClosingTheWindowAsksTheGameOnce) {
    Push(WindowEvent(SDL_WINDOWEVENT_CLOSE));
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    Push(quit);
    Push(Key(SDLK_F4, KMOD_LALT));
    const std::vector<Message> messages = Drain();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].message, WM_CLOSE);
}

TEST_F(SdlWindowTest, FocusChangesReachTheGameOnlyWhenTheyChangeSomething) {
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));  // active since creation
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    const std::vector<Message> messages = Drain();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, WM_ACTIVATEAPP);
    EXPECT_EQ(messages[0].wParam, 0u);
    EXPECT_EQ(messages[1].message, WM_ACTIVATEAPP);
    EXPECT_EQ(messages[1].wParam, 1u);
}

TEST_F(SdlWindowTest, ThePointerIsTheCentrePlusTheMotionSinceItWasPutBack) {
    int32_t x = 0;
    int32_t y = 0;
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    Push(Motion(10, -4));
    Push(Motion(3, 1));
    Drain();
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 333);
    EXPECT_EQ(y, 237);
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 333) << "reading does not consume the motion";

    SetCursorPos(320, 240);
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    Push(Motion(-30, 50));
    Drain();
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 290);
    EXPECT_EQ(y, 290);
    SetCursorPos(320, 240);
}

TEST_F(SdlWindowTest, MotionWhileTheGameIsInTheBackgroundIsNotCounted) {
    // Each in a pass of its own: taking and letting go of the pointer drops
    // the motion SDL still holds, and this is about motion that comes later.
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST));
    Drain();
    Push(Motion(25, 25));
    Drain();
    Push(WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED));
    Drain();
    Push(Motion(1, 2));
    Drain();
    int32_t x = 0;
    int32_t y = 0;
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 321);
    EXPECT_EQ(y, 242);
    SetCursorPos(320, 240);
}

TEST_F(SdlWindowTest, MotionIsCountedInGamePixelsWithItsFractionsKept) {
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

    Push(Motion(3, -6));
    Drain();
    int32_t x = 0;
    int32_t y = 0;
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 324);
    EXPECT_EQ(y, 232);

    // Single window pixels add up across passes instead of being lost: six
    // passes of one pixel each move the game eight pixels in all.
    SetCursorPos(320, 240);
    std::vector<int32_t> steps;
    for (int pass = 0; pass < 6; ++pass) {
        Push(Motion(1, 0));
        Drain();
        GetCursorPos(&x, &y);
        steps.push_back(x - 320);
        SetCursorPos(320, 240);
    }
    EXPECT_EQ(steps, (std::vector<int32_t>{1, 1, 2, 1, 1, 2}));
    CloseDisplay();
}

TEST_F(SdlWindowTest, AltEnterSwitchesBetweenFullscreenAndAWindowUnseenByTheGame) {
    const Uint32 fullscreen = SDL_WINDOW_FULLSCREEN_DESKTOP;
    EXPECT_TRUE(SDL_GetWindowFlags(GameSdlWindow()) & fullscreen) << "the game starts fullscreen";
    Push(Key(SDLK_RETURN, KMOD_LALT));
    EXPECT_TRUE(Drain().empty());
    EXPECT_FALSE(SDL_GetWindowFlags(GameSdlWindow()) & fullscreen);
    Push(Key(SDLK_RETURN, KMOD_RALT));
    EXPECT_TRUE(Drain().empty());
    EXPECT_TRUE(SDL_GetWindowFlags(GameSdlWindow()) & fullscreen);
}

TEST_F(SdlWindowTest, TheDisplayTakesOnlyTheGamesScreenSize) {
    EXPECT_EQ(OpenDisplay(nullptr, ScreenWidth, ScreenHeight), 0);
    EXPECT_EQ(OpenDisplay(window, 800, 600), 0);
    EXPECT_EQ(OpenDisplay(window, ScreenWidth, ScreenHeight), 1);
    CloseDisplay();
    CloseDisplay();  // twice is harmless
}

TEST_F(SdlWindowTest, FramesAreShownThroughThePaletteCentredWithBlackBars) {
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
    std::vector<uint32_t> screen(static_cast<size_t>(width) * height);
    SDL_RenderSetLogicalSize(renderer, 0, 0);  // read the output as it is
    ASSERT_EQ(
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, screen.data(), width * 4),
        0);
    auto at = [&](int x, int y) { return screen[static_cast<size_t>(y) * width + x] & 0xFFFFFF; };
    EXPECT_EQ(at(left, top), 0xC86432u);
    EXPECT_EQ(at(left + scale * ScreenWidth - 1, top + scale * ScreenHeight - 1), 0x0102FAu);
    EXPECT_EQ(at(width / 2, height / 2), 0x0A141Eu);
    if (left > 0) {
        EXPECT_EQ(at(left - 1, height / 2), 0u) << "black bar on the left";
    }
    if (top > 0) {
        EXPECT_EQ(at(width / 2, top - 1), 0u) << "black bar at the top";
    }
    CloseDisplay();
}

TEST_F(SdlWindowTest, PresentationIsPacedWhereTheDisplayHasNoSync) {
    // The dummy display offers no vertical sync: frames are spaced at the
    // fallback rate of 60 per second, so the game's loop cannot spin.
    ASSERT_EQ(OpenDisplay(window, ScreenWidth, ScreenHeight), 1);
    std::vector<uint8_t> frame(ScreenWidth * ScreenHeight, 0);
    PaletteEntry palette[256] = {};
    PresentFrame(frame.data(), palette);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 12; ++i)
        PresentFrame(frame.data(), palette);
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_GE(elapsed, std::chrono::milliseconds(12 * 1000 / 60 - 5));
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
    Push(Key(SDLK_F2));
    ASSERT_EQ(PeekMessage(&message), 1);
    EXPECT_EQ(message.wParam, VK_F2);
}

}  // namespace
