// The moves: opening, the flood, chords and marks, with the sounds each
// makes and the countdowns each loads.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/moves.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/board/board_checks.h"
#include "tests/support/game_fixture.h"
#include "tests/support/test_sounds.h"

namespace {

using Lines = std::vector<std::string>;

class MovesTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_NO_FATAL_FAILURE(LoadTestSounds());
        HeadlessSetTicks(5000);
    }
};

// ---- Opening ---------------------------------------------------------------

TEST_F(MovesTest, OpeningANumberOpensJustThatCell) {
    StartFixedGame({"*##", "###"});
    AimAt(1, 0);
    OpenAtView();
    EXPECT_EQ(CoverArt(), Lines({"HOH", "HHH"}));
    EXPECT_EQ(CoveredCount, 5);
    EXPECT_EQ(ChangeTime[CellIndex(1, 0)], 5000u);
    EXPECT_EQ(HeadlessLog(), Lines({"sound geco once"}));
    EXPECT_EQ(ResultPending, NoResult);
    EXPECT_EQ(VoiceCountdown, 2);
    EXPECT_EQ(FaceBlinkDelay, 2);
    EXPECT_EQ(FaceBlinkCount, 1);
}

TEST_F(MovesTest, OpeningWhatIsNotHiddenDoesNothingAndIsSilent) {
    StartFixedGame({"*##.", "####"});
    QuestionMarksOn = 1;
    AimAt(1, 0);
    CycleMarkAtView();  // Flagged
    AimAt(2, 0);
    CycleMarkAtView();
    CycleMarkAtView();  // Questioned
    AimAt(1, 1);
    OpenAtView();  // Open
    HeadlessClearLog();
    const Lines covers = CoverArt();
    FaceBlinkCount = 0;
    VoiceCountdown = -1;
    for (auto [x, y] : {std::pair{1, 0}, {2, 0}, {1, 1}, {3, 0}}) {
        AimAt(x, y);
        OpenAtView();
    }
    EXPECT_EQ(CoverArt(), covers);
    EXPECT_TRUE(HeadlessLog().empty());
    EXPECT_EQ(VoiceCountdown, -1);
    EXPECT_EQ(FaceBlinkCount, 0);
}

TEST_F(MovesTest, NoMoveActsWithoutACellUnderTheView) {
    StartFixedGame({"##", "#*"});
    const struct {
        int32_t viewX;
        int32_t viewY;
    } outside[] = {{-1, 10}, {-31, 10}, {10, -1}, {10, -31}, {64, 10}, {10, 64}, {-32, -32}};
    for (const auto& view : outside) {
        ViewX = view.viewX;
        ViewY = view.viewY;
        OpenAtView();
        CycleMarkAtView();
        ChordAtView();
    }
    EXPECT_EQ(CoverArt(), Lines({"HH", "HH"}));
    EXPECT_EQ(MinesLeft, 1);
    EXPECT_TRUE(HeadlessLog().empty());
    ViewX = 0;  // the top-left pixel of the board is cell (0, 0)
    ViewY = 0;
    OpenAtView();
    EXPECT_EQ(CoverArt(), Lines({"OH", "HH"}));
}

TEST_F(MovesTest, OpeningAMineLosesAtOnce) {
    StartFixedGame({"*##", "###"});
    HeadlessSetTicks(7777);
    AimAt(0, 0);
    OpenAtView();
    EXPECT_EQ(GameState, Lost);
    EXPECT_EQ(ResultPending, LossSignalled);
    EXPECT_EQ(CoverArt(), Lines({"OHH", "HHH"}));
    EXPECT_EQ(ChangeTime[CellIndex(0, 0)], 7777u);
    EXPECT_EQ(CoveredCount, 6) << "an opened mine is not a safe cell uncovered";
    EXPECT_EQ(HeadlessLog(),
              Lines({"sound geco once", "sound bang rewind", "sound bang once", "sound bgm stop"}));
    EXPECT_EQ(FaceBlinkCount, 2);
    EXPECT_EQ(FaceBlinkDelay, 10);
    EXPECT_EQ(VoiceCountdown, -1) << "no voice cue after a loss";
}

TEST_F(MovesTest, WithSoundOffTheMovesAreSilent) {
    StartFixedGame({"*##", "###", "###"});
    SoundOn = 0;
    QuestionMarksOn = 1;
    AimAt(2, 2);
    OpenAtView();
    AimAt(0, 0);
    CycleMarkAtView();
    AimAt(1, 1);
    ChordAtView();
    AimAt(0, 0);
    CycleMarkAtView();
    CycleMarkAtView();
    OpenAtView();
    EXPECT_EQ(GameState, Lost);
    EXPECT_TRUE(HeadlessLog().empty());
}

// ---- The flood ------------------------------------------------------------

TEST_F(MovesTest, FloodSpreadsAroundVoidCellsAndNeverOpensThem) {
    // The right half is reached only around the Void wall, through the
    // diagonal gap at its foot.
    StartFixedGame({
        "##.###",  //
        "##.###",  //
        "##.###",  //
        "###.#*",  //
    });
    AimAt(0, 0);
    OpenAtView();
    EXPECT_EQ(CoverArt(), Lines({"OO OOO", "OO OOO", "OO OOO", "OOO OH"}));
    EXPECT_EQ(CoveredCount, MineCount);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(MovesTest, FloodLeavesMarkedCellsCoveredAndAChordOpensThemLater) {
    StartFixedGame({
        "#####",  //
        "#####",  //
        "#####",  //
        "####*",  //
    });
    QuestionMarksOn = 1;
    AimAt(2, 1);
    CycleMarkAtView();  // a flag inside the empty region
    AimAt(1, 2);
    CycleMarkAtView();
    CycleMarkAtView();  // a question mark inside it too
    AimAt(0, 0);
    OpenAtView();
    EXPECT_EQ(CoverArt(), Lines({"OOOOO", "OOFOO", "O?OOO", "OOOOH"}));
    EXPECT_NE(ResultPending, WinPending) << "the marked cells keep the board incomplete";

    // Take the marks off, then chord on an empty neighbour with no flags.
    AimAt(2, 1);
    CycleMarkAtView();
    CycleMarkAtView();  // Flagged -> Questioned -> Hidden
    AimAt(1, 2);
    CycleMarkAtView();  // Questioned -> Hidden
    HeadlessClearLog();
    AimAt(1, 1);
    ChordAtView();
    EXPECT_EQ(CoverArt(), Lines({"OOOOO", "OOOOO", "OOOOO", "OOOOH"}));
    EXPECT_EQ(HeadlessLog(), Lines({"sound geco once"}));
    EXPECT_EQ(ResultPending, WinPending);
}

TEST_F(MovesTest, CompletionIsSeenInTheMiddleOfAFloodAndWaitsForTheClock) {
    StartFixedGame({
        "*#####",  //
        "######",  //
        "######",  //
    });
    AimAt(5, 2);
    OpenAtView();
    EXPECT_EQ(CoverArt(), Lines({"HOOOOO", "OOOOOO", "OOOOOO"}));
    EXPECT_EQ(ResultPending, WinPending);
    EXPECT_EQ(GameState, Playing) << "the win is completed by the next clock step";
    EXPECT_EQ(FloodCount, 0);
    EXPECT_EQ(VoiceCountdown, 2) << "the winning move is still a move of a game in play";
}

TEST_F(MovesTest, TheLargestEmptyBoardOpensInOneFlood) {
    Lines rows(MaxBoardSide, std::string(MaxBoardSide, '#'));
    rows[299][299] = '*';
    for (auto [x, y] : {std::pair{150, 150}, {0, 0}}) {
        StartFixedGame(rows);
        AimAt(x, y);
        OpenAtView();
        EXPECT_EQ(CoveredCount, 1) << "from " << x << ", " << y;
        EXPECT_EQ(ResultPending, WinPending);
    }
}

// ---- Chords ---------------------------------------------------------------

TEST_F(MovesTest, SatisfiedChordOpensEveryHiddenNeighbourButNotQuestionMarks) {
    StartFixedGame({
        "*###",  //
        "####",  //
        "####",  //
        "###*",  //
    });
    QuestionMarksOn = 1;
    AimAt(1, 1);
    OpenAtView();  // a 1
    AimAt(0, 0);
    CycleMarkAtView();  // the right flag
    AimAt(2, 0);
    CycleMarkAtView();
    CycleMarkAtView();  // a question mark
    HeadlessClearLog();
    VoiceCountdown = -1;
    AimAt(1, 1);
    ChordAtView();
    // (0, 1) is a 1 and opens alone; (0, 2) is a 0 and its region floods
    // the rest of the board, around the question mark.
    EXPECT_EQ(CoverArt(), Lines({"FO?O", "OOOO", "OOOO", "OOOH"}));
    EXPECT_NE(ResultPending, WinPending) << "the question mark covers a safe cell";
    EXPECT_EQ(HeadlessLog(), Lines({"sound geco once"}));
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(VoiceCountdown, 2);
    EXPECT_TRUE(BoardInvariantsHold());
}

TEST_F(MovesTest, UnsatisfiedChordsDoNothingAndAreSilent) {
    StartFixedGame({
        "*#*",  //
        "###",  //
        "###",  //
    });
    AimAt(1, 1);
    OpenAtView();  // a 2
    AimAt(0, 0);
    CycleMarkAtView();  // only one flag of two
    HeadlessClearLog();
    const Lines covers = CoverArt();
    AimAt(1, 1);
    ChordAtView();
    AimAt(1, 0);
    ChordAtView();  // not Open
    EXPECT_EQ(CoverArt(), covers);
    EXPECT_TRUE(HeadlessLog().empty());

    // Satisfied but with nothing Hidden left around it.
    StartFixedGame({"*#"});
    AimAt(1, 0);
    OpenAtView();
    AimAt(0, 0);
    CycleMarkAtView();
    HeadlessClearLog();
    AimAt(1, 0);
    ChordAtView();
    EXPECT_TRUE(HeadlessLog().empty());

    // An open mine never chords, whatever lies around it.
    StartFixedGame({"*##", "###"});
    AimAt(0, 0);
    OpenAtView();
    HeadlessClearLog();
    ChordAtView();
    EXPECT_EQ(CoverArt(), Lines({"OHH", "HHH"}));
    EXPECT_TRUE(HeadlessLog().empty());
}

TEST_F(MovesTest, WrongFlagsLoseTheGameAndStillOpenEveryOtherNeighbour) {
    StartFixedGame({
        "*#*",  //
        "###",  //
        "*#*",  //
    });
    AimAt(1, 1);
    OpenAtView();  // a 4
    // Four flags: two on mines, two on safe cells.
    for (auto [x, y] : {std::pair{2, 0}, {0, 2}, {0, 1}, {1, 2}}) {
        AimAt(x, y);
        CycleMarkAtView();
    }
    HeadlessClearLog();
    VoiceCountdown = -1;
    AimAt(1, 1);
    ChordAtView();
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

// ---- Marks ----------------------------------------------------------------

TEST_F(MovesTest, MarksCycleThroughQuestionMarksOnlyWhenTheyAreOn) {
    struct Case {
        int32_t questionMarks;
        std::vector<int8_t> covers;
        std::vector<int32_t> minesLeft;
    };
    const Case cases[] = {
        {1, {Flagged, Questioned, Hidden, Flagged}, {0, 1, 1, 0}},
        {0, {Flagged, Hidden, Flagged, Hidden}, {0, 1, 0, 1}},
    };
    for (const Case& c : cases) {
        StartFixedGame({"*#"});
        HeadlessClearLog();
        QuestionMarksOn = c.questionMarks;
        AimAt(0, 0);
        for (size_t click = 0; click < c.covers.size(); ++click) {
            HeadlessSetTicks(1000 + static_cast<uint32_t>(click));
            CycleMarkAtView();
            EXPECT_EQ(CoverState[CellIndex(0, 0)], c.covers[click])
                << "question marks " << c.questionMarks << ", click " << click;
            EXPECT_EQ(MinesLeft, c.minesLeft[click])
                << "question marks " << c.questionMarks << ", click " << click;
            EXPECT_EQ(ChangeTime[CellIndex(0, 0)], 1000 + click);
        }
        EXPECT_EQ(HeadlessLog(), Lines(c.covers.size(), "sound do once"));
    }
}

TEST_F(MovesTest, OpenAndVoidCellsTakeNoMarks) {
    StartFixedGame({"*#."});
    AimAt(1, 0);
    OpenAtView();
    HeadlessClearLog();
    const uint32_t opened = ChangeTime[CellIndex(1, 0)];
    HeadlessSetTicks(9000);
    CycleMarkAtView();
    AimAt(2, 0);
    CycleMarkAtView();
    EXPECT_EQ(CoverArt(), Lines({"HO "}));
    EXPECT_EQ(ChangeTime[CellIndex(1, 0)], opened);
    EXPECT_EQ(MinesLeft, 1);
    EXPECT_TRUE(HeadlessLog().empty());
}

}  // namespace
