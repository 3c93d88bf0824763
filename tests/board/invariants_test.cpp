// SPDX-License-Identifier: MIT
// Random play on random maps: whatever the shape of the field and whatever
// the player does, the Board stays consistent after every move and every
// clock step, the first opening never loses, every game ends in a proper
// win or loss, and with sound off not one cue sounds.
#include <gtest/gtest.h>

#include <random>

#include "tests/board/board_checks.h"

namespace {

class InvariantsTest : public BoardTest {
  protected:
    std::mt19937 chooser{20240611};  // the test's own choices, apart from the game's generator

    int32_t Pick(int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(chooser);
    }

    // A field of random size and shape: Void cells sprinkled at a random
    // density, sometimes in whole bands, at least two playable cells.
    void LoadRandomMap() {
        do {
            const int32_t width = Pick(1, Pick(0, 9) == 0 ? 80 : 24);
            const int32_t height = Pick(1, Pick(0, 9) == 0 ? 80 : 24);
            const int32_t voidPercent = Pick(0, 60);
            const int32_t band = Pick(0, 3) == 0 ? Pick(0, width - 1) : -1;
            Lines rows(height, std::string(width, '#'));
            for (int32_t y = 0; y < height; ++y) {
                for (int32_t x = 0; x < width; ++x) {
                    if (x == band || Pick(0, 99) < voidPercent)
                        rows[y][x] = '.';
                }
            }
            SetBoardFromArt(rows);
        } while (PlayableCount < 2);
        MineCount = Pick(0, Pick(0, 3) == 0 ? PlayableCount - 1 : PlayableCount / 5);
    }

    // One move of a player who mixes blind clicks with sensible ones, so that
    // games are both won and lost: aimed at a random cell, or now and then
    // just off the board. The sensible player opens safe cells, flags mines,
    // chords on open cells and takes wrong marks back off.
    void PlayOneMove() {
        if (Pick(0, 19) == 0) {
            ViewX = Pick(-32, BoardWidth * CellPixels + 32);
            ViewY = Pick(-32, BoardHeight * CellPixels + 32);
        } else {
            AimAt(Pick(0, BoardWidth - 1), Pick(0, BoardHeight - 1));
        }
        int32_t x = 0;
        int32_t y = 0;
        const bool onBoard = GetViewCell(&x, &y);
        const int32_t cover = onBoard ? CoverState[CellIndex(x, y)] : int32_t{Void};
        const bool mine = onBoard && CellValue[CellIndex(x, y)] == Mine;
        const int32_t kind = Pick(0, 9);
        if (kind == 0 || (kind > 1 && cover == Hidden && !mine))
            OpenAtView();
        else if (kind == 1 || (cover == Hidden && mine) || (cover >= Flagged && !mine))
            CycleMarkAtView();
        else
            ChordAtView();
    }
};

TEST_F(InvariantsTest, RandomPlayOnRandomMapsKeepsTheBoardConsistent) {
    SeedRandom(77);
    SoundOn = 0;
    int32_t wins = 0;
    int32_t losses = 0;
    for (int32_t map = 0; map < 150; ++map) {
        LoadRandomMap();
        for (int32_t game = 0; game < 3; ++game) {
            SCOPED_TRACE(testing::Message() << "map " << map << ", game " << game);
            QuestionMarksOn = Pick(0, 1);
            NewGame();
            ASSERT_TRUE(BoardInvariantsHold()) << "after NewGame";
            GameState = Playing;  // the first button press starts the clock
            for (int32_t move = 0; GameState == Playing; ++move) {
                ASSERT_LT(move, 20000) << "a game that never ends";
                const bool firstOpening = FirstClick == 1;
                PlayOneMove();
                ASSERT_EQ(FloodCount, 0);
                ASSERT_FALSE(firstOpening && FirstClick == 0 && GameState == Lost)
                    << "the first opening lost";
                ASSERT_TRUE(BoardInvariantsHold()) << "move " << move;
                if (Pick(0, 2) == 0) {
                    RunClockStep();
                    ASSERT_TRUE(BoardInvariantsHold()) << "clock step after move " << move;
                }
            }
            for (int step = 0; step < 10; ++step)
                RunClockStep();  // completes a win still pending, and plays out its cues
            ASSERT_TRUE(BoardInvariantsHold()) << "at the end";
            if (GameState == Won) {
                ++wins;
                // Every safe cell open and every mine flagged.
                ASSERT_EQ(CoveredCount, MineCount);
                ASSERT_EQ(MinesLeft, 0);
            } else {
                ASSERT_EQ(GameState, Lost);
                ++losses;
            }
        }
    }
    EXPECT_TRUE(HeadlessLog().empty()) << "a cue sounded with sound off: " << HeadlessLog()[0];
    // The random player must have reached both ends often enough for the
    // checks above to mean something.
    EXPECT_GT(wins, 50);
    EXPECT_GT(losses, 50);
}

}  // namespace
