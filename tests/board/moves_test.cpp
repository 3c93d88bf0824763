// SPDX-License-Identifier: MIT
// The moves: opening, the flood, chords and marks, and the sounds each makes.
// (When the voice cues and blinks they queue come is the clock's test.)
#include <gtest/gtest.h>

#include "tests/board/board_checks.h"

namespace {

class MovesTest : public BoardTest {};

TEST_F(MovesTest, OpeningOpensOnlyAHiddenCellUnderTheViewAndAMineLoses) {
    StartFixedGame({"*##.", "####"});
    MarkAt(1, 0);     // Flagged
    MarkAt(2, 0, 2);  // Questioned
    HeadlessClearLog();
    OpenAt(1, 1);  // a 1 opens alone
    const Lines covers = {"HF? ", "HOHH"};
    EXPECT_EQ(CoverArt(), covers);
    EXPECT_EQ(CoveredCount, 6);
    EXPECT_EQ(ChangeTime[CellIndex(1, 1)], 10000u);
    EXPECT_EQ(HeadlessLog(), Lines({"sound geco once"}));

    // Marks must come off before opening, Open and Void cells take no marks,
    // and no move acts without a cell under the view (-31..-1 would truncate
    // to column or row 0).
    HeadlessClearLog();
    HeadlessSetTicks(17777);
    VoiceCountdown = -1;
    for (auto [x, y] : {std::pair{1, 0}, {2, 0}, {1, 1}, {3, 0}})
        OpenAt(x, y);
    MarkAt(1, 1);
    MarkAt(3, 0);
    const std::pair<int32_t, int32_t> outside[] = {{-1, 10},  {-31, 10}, {10, -1},  {10, -31},
                                                   {128, 10}, {10, 64},  {-32, -32}};
    for (const auto& [x, y] : outside) {
        ViewX = x;
        ViewY = y;
        OpenAtView();
        CycleMarkAtView();
        ChordAtView();
    }
    EXPECT_EQ(CoverArt(), covers);
    EXPECT_EQ(ChangeTime[CellIndex(1, 1)], 10000u);
    EXPECT_EQ(MinesLeft, 0);
    EXPECT_TRUE(HeadlessLog().empty());
    EXPECT_EQ(VoiceCountdown, -1) << "a move that does nothing brings no voice cue";

    ViewX = 0;  // the top-left pixel of the board is cell (0, 0), the mine
    ViewY = 0;
    OpenAtView();
    EXPECT_EQ(CoverArt(), Lines({"OF? ", "HOHH"}));
    EXPECT_EQ(GameState, Lost);
    EXPECT_EQ(ResultPending, LossSignalled);
    EXPECT_EQ(ChangeTime[CellIndex(0, 0)], 17777u);
    EXPECT_EQ(CoveredCount, 6) << "an opened mine is not a safe cell uncovered";
    EXPECT_EQ(HeadlessLog(),
              Lines({"sound geco once", "sound bang rewind", "sound bang once", "sound bgm stop"}));
}

TEST_F(MovesTest, FloodSpreadsAroundVoidCellsAndMarksButOpensNone) {
    // The right half is reached only around the Void wall, through the
    // diagonal gap at its foot.
    StartFixedGame({"##.###", "##.###", "##.###", "###.#*"});
    MarkAt(1, 1);     // a flag inside the empty region
    MarkAt(4, 1, 2);  // a question mark inside it too
    OpenAt(0, 0);
    EXPECT_EQ(CoverArt(), Lines({"OO OOO", "OF O?O", "OO OOO", "OOO OH"}));
    EXPECT_EQ(ResultPending, NoResult) << "the marked cells keep the board incomplete";
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(MovesTest, CompletionIsSeenInTheMiddleOfAFloodAndWaitsForTheClock) {
    StartFixedGame({"*#####", "######", "######"});
    OpenAt(5, 2);
    EXPECT_EQ(CoverArt(), Lines({"HOOOOO", "OOOOOO", "OOOOOO"}));
    EXPECT_EQ(ResultPending, WinPending);
    EXPECT_EQ(GameState, Playing) << "the win is completed by the next clock step";
    EXPECT_EQ(FloodCount, 0);
}

TEST_F(MovesTest, SatisfiedChordOpensEveryHiddenNeighbourButNotQuestionMarks) {
    StartFixedGame({"*###", "####", "####", "###*"});
    OpenAt(1, 1);     // a 1
    MarkAt(0, 0);     // the right flag
    MarkAt(2, 0, 2);  // a question mark
    HeadlessClearLog();
    VoiceCountdown = -1;
    ChordAt(1, 1);
    // (0, 1) is a 1 and opens alone; (0, 2) is a 0 and its region floods
    // the rest of the board, around the question mark.
    EXPECT_EQ(CoverArt(), Lines({"FO?O", "OOOO", "OOOO", "OOOH"}));
    EXPECT_EQ(ResultPending, NoResult) << "the question mark covers a safe cell";
    EXPECT_EQ(HeadlessLog(), Lines({"sound geco once"}));
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(VoiceCountdown, 2);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(MovesTest, UnsatisfiedChordsDoNothingAndAreSilent) {
    const struct {
        Lines art;
        std::pair<int32_t, int32_t> open, flag, chord;
    } cases[] = {
        {{"*#*", "###"}, {1, 1}, {0, 0}, {1, 1}},  // a 2 with one flag of two
        {{"*#*", "###"}, {1, 1}, {0, 0}, {0, 1}},  // a 1 with its flag, but not Open
        {{"*#"}, {1, 0}, {0, 0}, {1, 0}},          // nothing Hidden left around it
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "chord at " << c.chord.first << ", " << c.chord.second);
        StartFixedGame(c.art);
        OpenAt(c.open.first, c.open.second);
        MarkAt(c.flag.first, c.flag.second);
        HeadlessClearLog();
        const Lines covers = CoverArt();
        ChordAt(c.chord.first, c.chord.second);
        EXPECT_EQ(CoverArt(), covers);
        EXPECT_TRUE(HeadlessLog().empty());
    }
}

TEST_F(MovesTest, WrongFlagsLoseTheGameAndStillOpenEveryOtherNeighbour) {
    StartFixedGame({"*#*", "###", "*#*"});
    OpenAt(1, 1);  // a 4
    // Four flags: two on mines, two on safe cells.
    for (auto [x, y] : {std::pair{2, 0}, {0, 2}, {0, 1}, {1, 2}})
        MarkAt(x, y);
    HeadlessClearLog();
    VoiceCountdown = -1;
    ChordAt(1, 1);
    // In scan order: the mine (0, 0) loses the game; the safe (1, 0) and
    // (2, 1) still open; the mine (2, 2) explodes too.
    EXPECT_EQ(CoverArt(), Lines({"OOF", "FOO", "FFO"}));
    EXPECT_EQ(GameState, Lost);
    EXPECT_EQ(ResultPending, LossSignalled);
    EXPECT_EQ(HeadlessLog(),
              Lines({"sound geco once", "sound bang rewind", "sound bang once", "sound bgm stop",
                     "sound bang rewind", "sound bang once", "sound bgm stop"}));
    EXPECT_EQ(VoiceCountdown, -1);
    EXPECT_EQ(CoveredCount, 9 - 3);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(MovesTest, MarksCycleThroughQuestionMarksOnlyWhenTheyAreOn) {
    const struct {
        int32_t questionMarks;
        std::string covers;  // after each click, as CoverArt shows them
        std::vector<int32_t> minesLeft;
    } cases[] = {{1, "F?HF", {0, 1, 1, 0}}, {0, "FHFH", {0, 1, 0, 1}}};
    for (const auto& c : cases) {
        StartFixedGame({"*#"});
        HeadlessClearLog();
        QuestionMarksOn = c.questionMarks;
        for (uint32_t click = 0; click < c.covers.size(); ++click) {
            SCOPED_TRACE(testing::Message()
                         << "question marks " << c.questionMarks << ", click " << click);
            HeadlessSetTicks(1000 + click);
            MarkAt(0, 0);
            EXPECT_EQ(CoverArt()[0][0], c.covers[click]);
            EXPECT_EQ(MinesLeft, c.minesLeft[click]);
            EXPECT_EQ(ChangeTime[CellIndex(0, 0)], 1000 + click);
        }
        EXPECT_EQ(HeadlessLog(), Lines(c.covers.size(), "sound do once"));
    }
}

}  // namespace
