// SPDX-License-Identifier: MIT
// The moves of a game: opening, the flood through empty regions, chording
// and marking. Every move acts on the view cell, the cell under the fixed
// cursor at the centre of the screen.
#include "board/moves.h"

#include <vector>

#include "board/board.h"
#include "board/clock.h"
#include "board/new_game.h"
#include "board/no_guess_layout.h"
#include "platform/platform.h"
#include "sound/cues.h"
#include "state/game_state.h"
#include "state/options.h"

namespace {

// After a move that did not lose, a voice cue follows on the second clock
// step and the face blinks once on the third and fourth.
constexpr int32_t MoveVoiceSteps = 2;
constexpr int32_t MoveBlinkDelay = 2;
constexpr int32_t MoveBlinkCycles = 1;

// An explosion: the face blinks twice, starting a second after the bang.
constexpr int32_t ExplosionBlinkDelay = 10;
constexpr int32_t ExplosionBlinkCycles = 2;

// A move that did not lose is answered by a voice cue and a short blink.
void QueueVoiceAndBlink() {
    if (GameState == Lost)
        return;
    VoiceCountdown = MoveVoiceSteps;
    FaceBlinkDelay = MoveBlinkDelay;
    FaceBlinkCount = MoveBlinkCycles;
}

void Explode(int32_t i) {
    // Only the first mine of a move signals the loss; a chord may open more.
    if (GameState != Lost)
        ResultPending = LossSignalled;
    GameState = Lost;
    CoverState[i] = Open;
    ChangeTime[i] = GetTickCount();
    CueRestart(SoundBang);
    CueStop(SoundBgm);
    FaceBlinkCount = ExplosionBlinkCycles;
    FaceBlinkDelay = ExplosionBlinkDelay;
}

void OpenSafeCell(int32_t i) {
    CoverState[i] = Open;
    ChangeTime[i] = GetTickCount();
    --CoveredCount;
    // The board is complete the moment its last safe cell opens, even in
    // the middle of a flood; the next clock step turns that into a win.
    // (No move can both lose and complete the board: a chord that opens a
    // mine had a flag on a safe cell, which stays covered.)
    if (CoveredCount == MineCount)
        ResultPending = WinPending;
}

// Opens the single cell (x, y) through the flood stack.
void FloodFrom(int32_t x, int32_t y) {
    FloodX[0] = x;
    FloodY[0] = y;
    FloodCount = 1;
    Flood();
}

}  // namespace

void OpenAtView() {
    int32_t x = 0;
    int32_t y = 0;
    if (!GetViewCell(&x, &y))
        return;
    if (CoverState[CellIndex(x, y)] != Hidden)
        return;  // marks must be taken off first

    // With no-guess play, the first opening also opens a starting area in
    // every other region of the field, which no opening could reach.
    std::vector<int32_t> otherStarts;
    if (FirstClick == 1) {
        RelocateFirstMine(x, y);
        if (NoGuessOn == 1)
            otherStarts = ArrangeNoGuessLayout(x, y).otherStarts;
        FirstClick = 0;
    }
    CuePlayOnce(SoundGeco);
    FloodFrom(x, y);
    for (const int32_t start : otherStarts) {
        if (CoverState[start] == Hidden)
            FloodFrom(start / MaxBoardSide, start % MaxBoardSide);
    }
    QueueVoiceAndBlink();
}

void Flood() {
    // A last-in, first-out stack. Within one flood a cell is pushed at most
    // once (FloodMark) and only while Hidden, and the start cell is opened
    // before anything is pushed, so a stack with one entry per cell of the
    // largest board never overflows.
    while (FloodCount >= 1) {
        --FloodCount;
        const int32_t x = FloodX[FloodCount];
        const int32_t y = FloodY[FloodCount];
        const int32_t i = CellIndex(x, y);
        if (CellValue[i] == Mine) {
            Explode(i);  // only the start cell can be a mine: a 0 has none around it
            continue;
        }
        OpenSafeCell(i);
        if (CellValue[i] != 0)
            continue;

        // An empty cell opens its Hidden neighbours in turn. Marked cells
        // stay covered: the player put those marks there.
        for (int32_t dx = -1; dx <= 1; ++dx) {
            for (int32_t dy = -1; dy <= 1; ++dy) {
                if (!InsideBoard(x + dx, y + dy))
                    continue;
                const int32_t n = CellIndex(x + dx, y + dy);
                if (CoverState[n] != Hidden || FloodMark[n] != 0)
                    continue;
                FloodMark[n] = 1;
                FloodX[FloodCount] = x + dx;
                FloodY[FloodCount] = y + dy;
                ++FloodCount;
            }
        }
    }
}

void ChordAtView() {
    int32_t x = 0;
    int32_t y = 0;
    if (!GetViewCell(&x, &y))
        return;

    // A chord needs an Open number with exactly as many flags around it as
    // its value and something left to open. Question marks count as neither.
    int32_t flags = 0;
    int32_t hidden = 0;
    for (int32_t dx = -1; dx <= 1; ++dx) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            if (!InsideBoard(x + dx, y + dy))
                continue;
            const int8_t cover = CoverState[CellIndex(x + dx, y + dy)];
            if (cover == Flagged)
                ++flags;
            if (cover == Hidden)
                ++hidden;
        }
    }
    const int32_t centre = CellIndex(x, y);
    if (CoverState[centre] != Open || CellValue[centre] != flags || hidden < 1)
        return;

    CuePlayOnce(SoundGeco);
    // Wrong flags open the mines they missed: the game is lost at the first,
    // and every other Hidden neighbour is still opened.
    for (int32_t dx = -1; dx <= 1; ++dx) {
        for (int32_t dy = -1; dy <= 1; ++dy) {
            if (!InsideBoard(x + dx, y + dy))
                continue;
            // A neighbour opened by the flood of an earlier one is skipped.
            if (CoverState[CellIndex(x + dx, y + dy)] != Hidden)
                continue;
            FloodFrom(x + dx, y + dy);
        }
    }
    QueueVoiceAndBlink();
}

void CycleMarkAtView() {
    int32_t x = 0;
    int32_t y = 0;
    if (!GetViewCell(&x, &y))
        return;
    const int32_t i = CellIndex(x, y);
    switch (CoverState[i]) {
        case Hidden:
            CoverState[i] = Flagged;
            --MinesLeft;  // no limit: more flags than mines makes it negative
            break;
        case Flagged:
            CoverState[i] = QuestionMarksOn == 1 ? Questioned : Hidden;
            ++MinesLeft;
            break;
        case Questioned:
            CoverState[i] = Hidden;
            break;
        default:
            return;  // Open and Void cells take no marks
    }
    ChangeTime[i] = GetTickCount();
    CuePlayOnce(SoundDo);
}
