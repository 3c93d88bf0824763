// SPDX-License-Identifier: MIT
#include "platform/common/message_queue.h"

#include <deque>

namespace {

PlatformWindow TheWindow;
bool WindowExists = false;
std::deque<Message> Queue;

}  // namespace

WindowHandle CurrentGameWindow() {
    return WindowExists ? &TheWindow : nullptr;
}

WindowHandle RegisterGameWindow(WindowProcedure procedure) {
    TheWindow.procedure = procedure;
    WindowExists = true;
    return &TheWindow;
}

void UnregisterGameWindow() {
    WindowExists = false;
}

void ClearMessageQueue() {
    Queue.clear();
}

size_t QueuedMessageCount() {
    return Queue.size();
}

int PeekMessage(Message* message) {
    CollectSystemEvents();
    if (Queue.empty())
        return 0;
    *message = Queue.front();
    return 1;
}

int GetMessage(Message* message) {
    if (Queue.empty())
        CollectSystemEvents();
    if (Queue.empty()) {
        // The game only asks after PeekMessage saw a message, so this cannot
        // happen in play; answering "quit" beats blocking forever.
        *message = Message{nullptr, WM_QUIT, 0, 0};
        return 0;
    }
    *message = Queue.front();
    Queue.pop_front();
    return message->message == WM_QUIT ? 0 : 1;
}

LRESULT DispatchMessage(const Message* message) {
    if (message->window == nullptr || !WindowExists || message->window != &TheWindow)
        return 0;
    return TheWindow.procedure(message->window, message->message, message->wParam, message->lParam);
}

int PostMessage(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    Queue.push_back(Message{window, message, wParam, lParam});
    return 1;
}

void PostQuitMessage(int exitCode) {
    Queue.push_back(Message{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}

LRESULT DefWindowProc(WindowHandle, uint32_t, WPARAM, LPARAM) {
    return 0;
}
