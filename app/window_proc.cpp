// SPDX-License-Identifier: MIT
// The window procedure and the flow of the game from screen to screen.
//
// Buttons never look at the pointer: the mouse is put back at the centre
// every pass, so a click on the board always acts on the cell under the
// centre cursor, and a click on the menu or the name grid acts on the item
// the last composed frame selected.
#include "app/window_proc.h"

#include "app/main_loop.h"
#include "app/name_entry.h"
#include "app/replay_seam.h"
#include "app/shell_state.h"
#include "board/clock.h"
#include "board/moves.h"
#include "board/new_game.h"
#include "files/settings.h"
#include "sound/cues.h"
#include "sound/sound.h"
#include "state/game_state.h"
#include "state/options.h"
#include "video/compose.h"
#include "video/display.h"

namespace {

// --- keys ------------------------------------------------------------------

void DoNothing() {}

using Action = void (*)();

// The seven things a key can do; the last does nothing.
enum KeyAction : uint8_t {
    KeyExit,
    KeyStart,
    KeyQuestionMarks,
    KeySound,
    KeyAnimation,
    KeyClearHighScore,
    KeyNone,
};

constexpr Action KeyActions[] = {
    ExitGame,        StartGame,      ToggleQuestionMarks, ToggleSound,
    ToggleAnimation, ClearHighScore, DoNothing,
};

// One byte per virtual-key code from Escape to F9; every other code, inside
// the range or out of it, does nothing.
constexpr uint32_t FirstMappedKey = VK_ESCAPE;
constexpr uint32_t LastMappedKey = VK_F9;

struct KeyTable {
    uint8_t action[LastMappedKey - FirstMappedKey + 1];

    constexpr KeyTable() : action() {
        for (uint8_t& entry : action)
            entry = KeyNone;
        action[VK_ESCAPE - FirstMappedKey] = KeyExit;
        action[VK_F1 - FirstMappedKey] = KeyStart;
        action[VK_F2 - FirstMappedKey] = KeyQuestionMarks;
        action[VK_F3 - FirstMappedKey] = KeySound;
        action[VK_F4 - FirstMappedKey] = KeyAnimation;
        action[VK_F9 - FirstMappedKey] = KeyClearHighScore;
    }
};

constexpr KeyTable Keys;

// Every key press counts, auto-repeats included: holding F1 deals a new
// board on every repeat.
void HandleKey(WPARAM code) {
    if (code < FirstMappedKey || code > LastMappedKey)
        return;
    KeyActions[Keys.action[code - FirstMappedKey]]();
}

// --- the overview -------------------------------------------------------------

bool IsBoardScreen() {
    return GameState == Ready || GameState == Playing || GameState == Lost || GameState == Won;
}

// An auto-repeat carries bit 30 of lParam: the key was already down.
constexpr LPARAM RepeatBit = LPARAM{1} << 30;

// Holding Tab on the board screen shows the whole field. A button already
// down is let go without acting: its release must not open or mark the
// cell that happens to be under the cross when the overview ends.
void ShowOverview(LPARAM lParam) {
    if ((lParam & RepeatBit) != 0 || !IsBoardScreen() || Overview == 1)
        return;
    Overview = 1;
    TravelRemainderX = 0;
    TravelRemainderY = 0;
    LeftButton = Idle;
    RightButton = Idle;
}

void HideOverview() {
    Overview = 0;
    TravelRemainderX = 0;
    TravelRemainderY = 0;
}

// --- the title menu ------------------------------------------------------------

// The menu items in screen order: the same actions as the keys, with the
// same sounds (the menu only acts on the title, where switching sound
// touches no music).
constexpr Action MenuActions[] = {
    StartGame, ToggleQuestionMarks, ToggleSound, ToggleAnimation, ClearHighScore, ExitGame,
};
constexpr int32_t MenuItemCount = sizeof(MenuActions) / sizeof(MenuActions[0]);
constexpr int32_t ExitItem = 5;

void ClickMenu() {
    const int32_t item = SelectedRow;
    if (item < 0 || item >= MenuItemCount)
        return;
    // Escape quits without a sound; the menu's exit item clicks like the
    // other items do.
    if (item == ExitItem)
        CuePlayOnce(SoundDo);
    MenuActions[item]();
}

// --- the board ------------------------------------------------------------------

// The first press on a new board starts its clock.
void StartTheClock() {
    GameState = Playing;
    StartTick = GetTickCount();
    EndTick = StartTick;
}

void PressLeft() {
    if (RightButton == Idle) {
        LeftButton = Pressed;
    } else {
        LeftButton = Chording;
        RightButton = Chording;
    }
}

void PressRight() {
    RightButton = Pressed;
    if (LeftButton != Idle) {
        LeftButton = Chording;
        RightButton = Chording;
    }
}

// A single click opens; the release of the second button of a chord runs
// the chord, the release of the first only takes it out of the chord.
void ReleaseLeft() {
    if (LeftButton == Pressed && RightButton == Idle) {
        LeftButton = Idle;
        ++LeftClicks;
        OpenAtView();
    }
    if (RightButton == Chording)
        LeftButton = Idle;
    if (RightButton == Idle && LeftButton == Chording) {
        ++Chords;
        ChordAtView();
        LeftButton = Idle;
    }
}

// Marks change on the release, so a right press that becomes a chord never
// also marks.
void ReleaseRight() {
    if (RightButton == Pressed) {
        RightButton = Idle;
        ++RightClicks;
        CycleMarkAtView();
    }
    if (LeftButton == Chording)
        RightButton = Idle;
    if (LeftButton == Idle && RightButton == Chording) {
        ++Chords;
        ChordAtView();
        RightButton = Idle;
    }
}

// Any button in Lost goes back to the title. The explosion is cut off even
// with sound off, in case it was started before sound was switched off.
void ReturnToTitle() {
    FacePhase = 0;
    FaceBlinkCount = 0;
    FaceBlinkDelay = 0;
    PlaySlot(SoundBang, Stopped, 0);
    GameState = Title;
    MenuCursorY = 0;
}

// A press after a win: a time better than the best goes to the name entry,
// which begins with the new time already stored and an empty name.
void DecideEndOfGame() {
    const uint32_t elapsed = (EndTick - StartTick) / 1000u;
    if (static_cast<int32_t>(elapsed) >= HighScore) {
        GameState = Title;
        MenuCursorY = 0;
        return;
    }
    CueLoopFromStart(SoundBgmx);
    GameState = NameEntry;
    MenuCursorX = 0;
    MenuCursorY = 0;
    HighScore = static_cast<int32_t>(elapsed);
    HighScoreName[0] = '\0';
    NameLength = 0;
    // On the disk at once: however the game ends from here on (a lost
    // display, a crash), the record is kept.
    SavePlayerSettings();
}

void HandleButton(uint32_t message) {
    // The overview is for looking: a press or release changes nothing.
    if (Overview == 1)
        return;
    switch (GameState) {
        case Title:
            if (message == WM_LBUTTONDOWN)
                ClickMenu();
            break;
        case Ready:
        case Playing:
            if (GameState == Ready && (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)) {
                StartTheClock();
            }
            if (message == WM_LBUTTONDOWN)
                PressLeft();
            if (message == WM_LBUTTONUP)
                ReleaseLeft();
            if (message == WM_RBUTTONDOWN)
                PressRight();
            if (message == WM_RBUTTONUP)
                ReleaseRight();
            break;
        case Lost:
            ReturnToTitle();
            break;
        case Won:
            if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN)
                DecideEndOfGame();
            break;
        case NameEntry:
            if (message == WM_LBUTTONDOWN)
                AddNameCharacter();
            if (message == WM_RBUTTONDOWN)
                DeleteNameCharacter();
            break;
        default:
            break;
    }
}

// --- activation ------------------------------------------------------------------

// Coming back to the front: the display may have been taken over meanwhile,
// so the surfaces are restored and the palette and sheet loaded again before
// frames resume. The activation that arrives while the window is being
// created (no pass has run yet) changes nothing: start-up sets up the display
// itself.
LRESULT HandleActivation(WindowHandle window, WPARAM wParam, LPARAM lParam) {
    if (wParam != 0 && FrameCount != 0) {
        RestoreSurfaces();
        LoadPalette("bmp1");
        LoadSheetBitmap("bmp1", SheetWidth, SheetBitmapHeight);
        AppActive = 1;
        return 1;
    }
    if (wParam == 0) {
        AppActive = 0;
        // A release made while another window had the focus never reaches
        // us; a button left Pressed or Chording would swallow the next click.
        LeftButton = Idle;
        RightButton = Idle;
        // Nor does the release of Tab: the game comes back to the normal picture.
        HideOverview();
    }
    return DefWindowProc(window, WM_ACTIVATEAPP, wParam, lParam);
}

}  // namespace

// --- the six actions -------------------------------------------------------------

void StartGame() {
    NoteGameStarted();
    CuePlayOnce(SoundJyan);
    GameState = Ready;
    LeftClicks = 0;
    RightClicks = 0;
    Chords = 0;
    // A button held over the start of a new board belongs to the old one; its
    // release must not open a cell before the new board's clock has started.
    LeftButton = Idle;
    RightButton = Idle;
    NewGame();
}

void ToggleQuestionMarks() {
    CuePlayOnce(SoundDo);
    QuestionMarksOn = QuestionMarksOn ? 0 : 1;
}

// Switching sound takes the music of the screen along: in Ready the game
// music, in the name entry its own music, each restarted from its beginning
// or stopped. During play only the option changes.
void ToggleSound() {
    const int32_t music = GameState == Ready ? SoundBgm : GameState == NameEntry ? SoundBgmx : -1;
    if (SoundOn == 0) {
        // The click confirms that sound is coming on, so it sounds although
        // the option is still off.
        PlaySlot(SoundDo, Once, 0);
        SoundOn = 1;
        if (music >= 0) {
            RewindSlot(music);
            PlaySlot(music, Looping, 0);
        }
        return;
    }
    SoundOn = 0;
    // Stopped although sound is now off: that is the point of switching it off.
    if (music >= 0) {
        RewindSlot(music);
        PlaySlot(music, Stopped, 0);
    }
}

void ToggleAnimation() {
    CuePlayOnce(SoundDo);
    AnimationOn = AnimationOn ? 0 : 1;
}

// The best time is forgotten at once, but reaches the disk only when the
// window closes.
void ClearHighScore() {
    CuePlayOnce(SoundDo);
    ForgetHighScore();
}

void SavePlayerSettings() {
    if (!PlayingReplay)
        SaveSettings();
}

void ExitGame() {
    NoteOwnMessage(WM_CLOSE);
    PostMessage(GameWindow, WM_CLOSE, 0, 0);
}

// --- the window procedure --------------------------------------------------------

LRESULT WindowProc(WindowHandle window, uint32_t message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DESTROY:
            PostQuitMessage(0);
            return 1;
        case WM_CLOSE:
            // The settings are written before anything is released.
            SavePlayerSettings();
            ShutdownGame(window);
            return 1;
        case WM_ACTIVATEAPP:
            return HandleActivation(window, wParam, lParam);
        case WM_SETCURSOR:
            HideSystemCursor();
            return 1;
        case WM_KEYDOWN:
            if (wParam == VK_TAB)
                ShowOverview(lParam);
            HandleKey(wParam);
            return 1;
        case WM_KEYUP:
            if (wParam != VK_TAB)
                return DefWindowProc(window, message, wParam, lParam);
            HideOverview();
            return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            HandleButton(message);
            return 1;
        default:
            return DefWindowProc(window, message, wParam, lParam);
    }
}
