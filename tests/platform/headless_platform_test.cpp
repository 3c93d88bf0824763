// SPDX-License-Identifier: MIT
// The headless machine behaves like the system the game was written for:
// messages come out in order and reach the window procedure, WM_QUIT ends
// the drain, the clock moves only when told, dialogs answer as scripted,
// resources are found in any letter case.
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

TEST_F(HeadlessPlatformTest, MessagesArriveInOrderThroughTheWindowUntilQuit) {
    HeadlessPostInput(WM_LBUTTONDOWN);
    EXPECT_EQ(QueuedMessageCount(), 0u) << "input without a window is dropped";
    WindowHandle window = CreateGameWindow("Torvex", RecordingProcedure, "icon1");
    HeadlessPostInput(WM_LBUTTONDOWN);
    HeadlessPostInput(WM_KEYDOWN, VK_F1);
    PostQuitMessage(1);
    Message message;
    ASSERT_EQ(PeekMessage(&message), 1);
    ASSERT_EQ(GetMessage(&message), 1);
    EXPECT_EQ(message.message, WM_LBUTTONDOWN) << "peeking leaves the message queued";
    EXPECT_EQ(DispatchMessage(&message), 7);
    ASSERT_EQ(GetMessage(&message), 1);
    EXPECT_EQ(message.wParam, VK_F1);
    EXPECT_EQ(message.window, window);
    DispatchMessage(&message);
    ASSERT_EQ(PeekMessage(&message), 1) << "the quit is seen by a peek";
    EXPECT_EQ(GetMessage(&message), 0);
    EXPECT_EQ(message.message, WM_QUIT);
    EXPECT_EQ(PeekMessage(&message), 0);
    EXPECT_EQ(DestroyWindow(window), 1);
    EXPECT_EQ(DestroyWindow(window), 0) << "a window is destroyed once";
    EXPECT_EQ(Received,
              (std::vector<uint32_t>{WM_ACTIVATEAPP, WM_LBUTTONDOWN, WM_KEYDOWN, WM_DESTROY}));
}

TEST_F(HeadlessPlatformTest, TheClockMovesOnlyWhenToldAndWraps) {
    EXPECT_EQ(GetTickCount(), 0u);
    HeadlessSetTicks(0xFFFFFFF0u);
    WaitMilliseconds(0x20);
    EXPECT_EQ(GetTickCount(), 0x10u);
    HeadlessAdvanceTicks(5);
    EXPECT_EQ(GetTickCount(), 0x15u);
}

TEST_F(HeadlessPlatformTest, DialogAnswersAreUsedInOrderThenCancelled) {
    HeadlessAddDialogAnswer("/maps/a.tvm");
    HeadlessAddDialogCancel();
    HeadlessAddDialogAnswer("/a/rather/long/path/to/some.tvm");
    char path[16] = "start.tvm";
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), 1);
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), 0);
    EXPECT_STREQ(path, "/maps/a.tvm");
    // Too long for the buffer: as much as fits, to name it, never to open.
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), PathTooLong);
    EXPECT_STREQ(path, "/a/rather/long/");
    EXPECT_EQ(GetOpenFileName(path, sizeof(path)), 0) << "no answer left: cancelled";
    MessageBox(nullptr, "maps/x.tvm\nthe width is 0", "Cannot Open !");
    const std::vector<std::string> expected = {
        "dialog start.tvm -> /maps/a.tvm", "dialog /maps/a.tvm -> cancel",
        "dialog /maps/a.tvm -> /a/rather/long/path/to/some.tvm", "dialog /a/rather/long/ -> cancel",
        "messagebox Cannot Open ! | maps/x.tvm\\nthe width is 0"};
    EXPECT_EQ(HeadlessLog(), expected);
}

TEST_F(HeadlessPlatformTest, ResourcesAreFoundInAnyLetterCaseAndCanBeHidden) {
    HeadlessAddResource("Sample", "WAVE", {1, 2, 3});
    ResourceData resource{};
    ASSERT_EQ(FindResource("sAMPLE", "wave", &resource), 1);
    EXPECT_EQ(std::vector<uint8_t>(resource.bytes, resource.bytes + resource.size),
              (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(FindResource("sample", "BITMAP", &resource), 0) << "the type must match too";
    HeadlessHideResource("SAMPLE", "WAVE");
    EXPECT_EQ(FindResource("sample", "wave", &resource), 0);
}

}  // namespace
