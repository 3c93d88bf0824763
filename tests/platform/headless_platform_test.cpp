// The headless machine behaves like the system the game was written for:
// messages come out in order and reach the window procedure, WM_QUIT ends
// the drain, the clock moves only when told, resources are found in any
// letter case.
#include <gtest/gtest.h>

#include <vector>

#include "platform/common/message_queue.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"

namespace {

std::vector<uint32_t> Received;

LRESULT RecordingProcedure(WindowHandle, uint32_t message, WPARAM, LPARAM) {
    Received.push_back(message);
    return 7;
}

class HeadlessPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        HeadlessReset();
        Received.clear();
    }
};

TEST_F(HeadlessPlatformTest, WindowCreationDeliversActivationAndDestructionDeliversDestroy) {
    WindowHandle window = CreateGameWindow("Torvex", RecordingProcedure, "icon1");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Received, std::vector<uint32_t>{WM_ACTIVATEAPP});
    EXPECT_EQ(DestroyWindow(window), 1);
    EXPECT_EQ(Received, (std::vector<uint32_t>{WM_ACTIVATEAPP, WM_DESTROY}));
    EXPECT_EQ(DestroyWindow(window), 0) << "a window is destroyed once";
}

TEST_F(HeadlessPlatformTest, MessagesArePeekedWithoutRemovalAndDispatchedInOrder) {
    WindowHandle window = CreateGameWindow("Torvex", RecordingProcedure, "icon1");
    Received.clear();
    Message message;
    EXPECT_EQ(PeekMessage(&message), 0);
    HeadlessPostInput(WM_LBUTTONDOWN);
    HeadlessPostInput(WM_KEYDOWN, VK_F1);
    ASSERT_EQ(PeekMessage(&message), 1);
    EXPECT_EQ(message.message, WM_LBUTTONDOWN);
    ASSERT_EQ(PeekMessage(&message), 1) << "peeking leaves the message queued";
    EXPECT_EQ(message.message, WM_LBUTTONDOWN);
    ASSERT_EQ(GetMessage(&message), 1);
    EXPECT_EQ(DispatchMessage(&message), 7);
    ASSERT_EQ(GetMessage(&message), 1);
    EXPECT_EQ(message.message, WM_KEYDOWN);
    EXPECT_EQ(message.wParam, VK_F1);
    EXPECT_EQ(message.window, window);
    DispatchMessage(&message);
    EXPECT_EQ(Received, (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_KEYDOWN}));
    EXPECT_EQ(PeekMessage(&message), 0);
}

TEST_F(HeadlessPlatformTest, QuitMessageMakesGetMessageReturnZero) {
    CreateGameWindow("Torvex", RecordingProcedure, "icon1");
    PostQuitMessage(1);
    Message message;
    ASSERT_EQ(PeekMessage(&message), 1);
    EXPECT_EQ(GetMessage(&message), 0);
    EXPECT_EQ(message.message, WM_QUIT);
}

TEST_F(HeadlessPlatformTest, InputWithoutAWindowIsDropped) {
    HeadlessPostInput(WM_LBUTTONDOWN);
    EXPECT_EQ(QueuedMessageCount(), 0u);
}

TEST_F(HeadlessPlatformTest, ClockMovesOnlyWhenToldAndByWaits) {
    EXPECT_EQ(GetTickCount(), 0u);
    EXPECT_EQ(GetTickCount(), 0u);
    HeadlessSetTicks(0xFFFFFFF0u);
    WaitMilliseconds(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u) << "the tick count wraps at 2^32";
    HeadlessAdvanceTicks(5);
    EXPECT_EQ(GetTickCount(), 0x15u);
}

TEST_F(HeadlessPlatformTest, PointerMovesRelativeToWhereItWasPutBack) {
    int32_t x = 0, y = 0;
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 320);
    EXPECT_EQ(y, 240);
    HeadlessMovePointer(15, -4);
    HeadlessMovePointer(1, 1);
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 336);
    EXPECT_EQ(y, 237);
    SetCursorPos(320, 240);
    GetCursorPos(&x, &y);
    EXPECT_EQ(x, 320);
}

TEST_F(HeadlessPlatformTest, DialogAnswersAreUsedInOrderThenCancelled) {
    HeadlessAddDialogAnswer("/maps/a.tvm");
    HeadlessAddDialogCancel();
    char path[64] = "start.tvm";
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), 1);
    EXPECT_STREQ(path, "/maps/a.tvm");
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), 0);
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), 0) << "no answer left: cancelled";
    const std::vector<std::string> expected = {"dialog start.tvm -> /maps/a.tvm",
                                               "dialog /maps/a.tvm -> cancel",
                                               "dialog /maps/a.tvm -> cancel"};
    EXPECT_EQ(HeadlessLog(), expected);
}

TEST_F(HeadlessPlatformTest, DialogAnswerTooLongForTheBufferIsNotChosen) {
    HeadlessAddDialogAnswer("/a/rather/long/path/to/some.tvm");
    char path[8] = "";
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), 0);
}

TEST_F(HeadlessPlatformTest, NoticesAreLoggedOnOneLine) {
    MessageBox(nullptr, "maps/x.tvm\nthe width is 0", "Cannot Open !");
    ASSERT_EQ(HeadlessLog().size(), 1u);
    EXPECT_EQ(HeadlessLog()[0], "messagebox Cannot Open ! | maps/x.tvm\\nthe width is 0");
}

TEST_F(HeadlessPlatformTest, ResourcesAreFoundInAnyLetterCaseAndCanBeReplacedOrHidden) {
    HeadlessAddResource("Sample", "WAVE", {1, 2, 3});
    ResourceData resource{};
    ASSERT_EQ(FindResource("sAMPLE", "wave", &resource), 1);
    EXPECT_EQ(resource.size, 3u);
    EXPECT_EQ(resource.bytes[2], 3);
    EXPECT_EQ(FindResource("sample", "BITMAP", &resource), 0) << "the type must match too";
    HeadlessHideResource("SAMPLE", "WAVE");
    EXPECT_EQ(FindResource("sample", "wave", &resource), 0);
}

TEST_F(HeadlessPlatformTest, FramesAreRecordedOnlyWhileTheDisplayIsOpen) {
    WindowHandle window = CreateGameWindow("Torvex", RecordingProcedure, "icon1");
    std::vector<uint8_t> pixels(ScreenWidth * ScreenHeight, 5);
    PaletteEntry palette[256] = {};
    palette[5] = {10, 20, 30, 0};
    PresentFrame(pixels.data(), palette);
    EXPECT_EQ(HeadlessFramesPresented(), 0u);
    ASSERT_EQ(OpenDisplay(window, ScreenWidth, ScreenHeight), 1);
    PresentFrame(pixels.data(), palette);
    EXPECT_EQ(HeadlessFramesPresented(), 1u);
    EXPECT_EQ(HeadlessFramePixels()[ScreenWidth * ScreenHeight - 1], 5);
    EXPECT_EQ(HeadlessFramePalette()[5].green, 20);
    HeadlessSetDisplayAvailable(false);
    EXPECT_EQ(OpenDisplay(window, ScreenWidth, ScreenHeight), 0);
}

}  // namespace
