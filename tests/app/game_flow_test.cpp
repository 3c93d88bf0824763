// Whole games through the title screen, the board, a loss or a win, and
// back: the button state machine, the menu and keys with their sounds, and
// the music that follows the sound option.
#include <cstdio>

#include "app/game_state.h"
#include "app/name_entry.h"
#include "board/board.h"
#include "board/clock.h"
#include "files/settings.h"
#include "platform/headless/headless.h"
#include "tests/app/played_game.h"
#include "video/compose.h"
#include "video/display.h"

namespace {

using Sounds = std::vector<std::string>;

class GameFlowTest : public PlayedGameTest {
  protected:
    // Starts the game on a 10 x 10 map with 10 mines and deals a board.
    void StartOnField() {
        Launch(WriteMap("field.tvm", "Field,10,10,10,100,"));
        Play("clock 0\npass\nkey F1\npass");
        ASSERT_EQ(GameState, Ready);
        NewSounds();
    }

    // Opens a safe cell that has a mine next to it (no flood), so the game
    // is Playing with a number to chord on; returns the number's cell.
    void OpenANumber(int* x, int* y) {
        for (int cx = 1; cx < BoardWidth - 1; ++cx) {
            for (int cy = 1; cy < BoardHeight - 1; ++cy) {
                const int i = CellIndex(cx, cy);
                if (CellValue[i] == Mine || CellValue[i] == 0)
                    continue;
                if (SafeHiddenNeighbours(cx, cy) == 0)
                    continue;
                ClickCell(cx, cy, "left");
                ASSERT_EQ(CoverState[i], Open);
                *x = cx;
                *y = cy;
                return;
            }
        }
        FAIL() << "the dealt board has no number away from the edge";
    }

    int SafeHiddenNeighbours(int x, int y) {
        int count = 0;
        ForNeighbours(x, y, [&count](int i) {
            if (CellValue[i] != Mine && CoverState[i] == Hidden)
                ++count;
        });
        return count;
    }

    void FlagMinesAround(int x, int y) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                const int i = CellIndex(x + dx, y + dy);
                if (InsideBoard(x + dx, y + dy) && CellValue[i] == Mine &&
                    CoverState[i] == Hidden) {
                    ClickCell(x + dx, y + dy, "right");
                    ASSERT_EQ(CoverState[i], Flagged);
                }
            }
        }
    }

    template <typename Visit>
    void ForNeighbours(int x, int y, Visit visit) {
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                if ((dx != 0 || dy != 0) && InsideBoard(x + dx, y + dy)) {
                    visit(CellIndex(x + dx, y + dy));
                }
            }
        }
    }

    // Wins the small map: the game is in Won when this returns.
    void WinSmallMap() {
        Launch(WriteSmallMap());
        Play("clock 0\npass\nkey F1\npass");
        OpenEverySafeCell();
        Play("pass");
        ASSERT_EQ(GameState, Won);
        NewSounds();
    }
};

TEST_F(GameFlowTest, TheMenusFirstItemStartsAGameWithItsOwnFanfare) {
    Launch(WriteSmallMap());
    Play("pass\nmove 0 45\npass\nmove 0 -45\npass");
    EXPECT_EQ(SelectedRow, 0);
    NewSounds();
    Play("click left\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(NewSounds(), Sounds{"sound jyan once"});
    EXPECT_EQ(LeftButton, Idle) << "the menu click's release must not count on the board";
    EXPECT_EQ(CoveredCount, PlayableCount);
}

// Every press counts, auto-repeats included, in every state.
TEST_F(GameFlowTest, HoldingF1DealsANewBoardOnEveryRepeat) {
    Launch(WriteSmallMap());
    Play("pass");
    Play("key F1\nkey F1\nkey F1\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(NewSounds(), (Sounds{"sound jyan once", "sound jyan once", "sound jyan once"}));
    Play("key F2\nkey F2\npass");
    EXPECT_EQ(QuestionMarksOn, 1);
    EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound do once"}));
}

TEST_F(GameFlowTest, KeysWithoutAnActionDoNothing) {
    Launch(WriteSmallMap());
    Play("pass");
    NewSounds();
    Play("key F5\nkey F8\nkey F10\nkey A\nkey Enter\nkey Space\nkey 0\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_TRUE(game->Running());
    EXPECT_EQ(QuestionMarksOn, 1);
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(AnimationOn, 1);
    EXPECT_TRUE(NewSounds().empty());
}

TEST_F(GameFlowTest, TheFirstPressStartsTheClockAndTheReleaseOpens) {
    StartOnField();
    int x = 0;
    int y = 0;
    FindCell(false, &x, &y);
    AimAt(x, y);
    Play("down left\npass");
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(StartTick, GetTickCount());
    EXPECT_EQ(LeftButton, Pressed);
    EXPECT_EQ(CoverState[CellIndex(x, y)], Hidden) << "opening waits for the release";
    Play("up left\npass");
    EXPECT_EQ(CoverState[CellIndex(x, y)], Open);
    EXPECT_EQ(LeftButton, Idle);
    EXPECT_EQ(NewSounds(), Sounds{"sound geco once"});
}

TEST_F(GameFlowTest, AnEmptyCellFloodsItsRegion) {
    StartOnField();
    int x = -1;
    int y = -1;
    for (int cx = 0; cx < BoardWidth && x < 0; ++cx) {
        for (int cy = 0; cy < BoardHeight && x < 0; ++cy) {
            if (CellValue[CellIndex(cx, cy)] == 0) {
                x = cx;
                y = cy;
            }
        }
    }
    ASSERT_GE(x, 0) << "the dealt board has no empty cell";
    ClickCell(x, y, "left");
    ForNeighbours(x, y, [](int i) { EXPECT_EQ(CoverState[i], Open); });
    EXPECT_LT(CoveredCount, PlayableCount - 8);
}

TEST_F(GameFlowTest, ARightClickInReadyStartsTheClockOnThePressAndMarksOnTheRelease) {
    StartOnField();
    AimAt(4, 4);
    Play("down right\npass");
    EXPECT_EQ(GameState, Playing);
    EXPECT_EQ(CoverState[CellIndex(4, 4)], Hidden);
    Play("up right\npass");
    EXPECT_EQ(CoverState[CellIndex(4, 4)], Flagged);
    EXPECT_EQ(MinesLeft, 9);
    EXPECT_EQ(NewSounds(), Sounds{"sound do once"});
    ClickCell(4, 4, "right");
    EXPECT_EQ(CoverState[CellIndex(4, 4)], Questioned);
}

// Left down, right down, left up, right up: one chord, on the last release.
TEST_F(GameFlowTest, AChordRunsOnceOnTheSecondRelease_LeftFirst) {
    StartOnField();
    int x = 0;
    int y = 0;
    OpenANumber(&x, &y);
    FlagMinesAround(x, y);
    const int minesLeft = MinesLeft;
    Play("wait 1500");  // past the music's start and the voice cue of the opening
    NewSounds();

    AimAt(x, y);
    Play("down left\npass\ndown right\npass");
    EXPECT_EQ(LeftButton, Chording);
    EXPECT_EQ(RightButton, Chording);
    Play("up left\npass");
    EXPECT_EQ(LeftButton, Idle);
    EXPECT_GT(SafeHiddenNeighbours(x, y), 0) << "the chord ran on the first release";
    Play("up right\npass");
    EXPECT_EQ(RightButton, Idle);
    EXPECT_EQ(SafeHiddenNeighbours(x, y), 0);
    EXPECT_EQ(MinesLeft, minesLeft) << "a chord never marks";
    EXPECT_EQ(NewSounds(), Sounds{"sound geco once"});
}

// Right down, left down, right up, left up: the chord runs at the left release.
TEST_F(GameFlowTest, AChordRunsOnceOnTheSecondRelease_RightFirst) {
    StartOnField();
    int x = 0;
    int y = 0;
    OpenANumber(&x, &y);
    FlagMinesAround(x, y);
    const int minesLeft = MinesLeft;
    Play("wait 1500");  // past the music's start and the voice cue of the opening
    NewSounds();

    AimAt(x, y);
    Play("down right\npass\ndown left\npass\nup right\npass");
    EXPECT_EQ(RightButton, Idle);
    EXPECT_EQ(LeftButton, Chording);
    EXPECT_GT(SafeHiddenNeighbours(x, y), 0);
    Play("up left\npass");
    EXPECT_EQ(SafeHiddenNeighbours(x, y), 0);
    EXPECT_EQ(MinesLeft, minesLeft);
    EXPECT_EQ(NewSounds(), Sounds{"sound geco once"});
}

TEST_F(GameFlowTest, OpeningAMineLosesAndAnyPressReturnsToTheTitle) {
    StartOnField();
    int x = 0;
    int y = 0;
    FindCell(false, &x, &y);
    ClickCell(x, y, "left");  // the first opening is always safe
    FindCell(true, &x, &y);
    NewSounds();
    ClickCell(x, y, "left");
    EXPECT_EQ(GameState, Lost);
    EXPECT_EQ(NewSounds(), (Sounds{"sound geco once", "sound bang rewind", "sound bang once",
                                   "sound bgm stop"}));

    const int32_t viewY = ViewY;
    Play("move 0 -20\npass");
    EXPECT_EQ(ViewY, viewY - 20) << "the board cursor still moves in Lost";
    FacePhase = 1;
    Play("down left\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(MenuCursorY, 0);
    EXPECT_EQ(FacePhase, 0);
    EXPECT_EQ(FaceBlinkCount, 0);
    EXPECT_EQ(FaceBlinkDelay, 0);
    EXPECT_EQ(NewSounds(), Sounds{"sound bang stop"});
    Play("move 0 40\npass\nup left\npass");
    EXPECT_EQ(GameState, Title) << "the release of the click changes nothing";
    EXPECT_EQ(MenuCursorY, 40);
}

// The explosion is cut off on leaving Lost even with sound off.
TEST_F(GameFlowTest, LeavingLostStopsTheExplosionWhateverTheSoundOption) {
    StartOnField();
    int x = 0;
    int y = 0;
    FindCell(false, &x, &y);
    ClickCell(x, y, "left");
    FindCell(true, &x, &y);
    ClickCell(x, y, "left");
    ASSERT_EQ(GameState, Lost);
    Play("key F3\npass");
    EXPECT_EQ(SoundOn, 0);
    NewSounds();
    Play("down right\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(NewSounds(), Sounds{"sound bang stop"});
}

TEST_F(GameFlowTest, AWinFlagsTheMinesAndABetterTimeAsksForTheName) {
    WinSmallMap();
    EXPECT_EQ(MinesLeft, 0);
    for (int x = 0; x < BoardWidth; ++x) {
        for (int y = 0; y < BoardHeight; ++y) {
            const int i = CellIndex(x, y);
            EXPECT_EQ(CoverState[i], CellValue[i] == Mine ? Flagged : Open);
        }
    }
    const uint32_t elapsed = (EndTick - StartTick) / 1000;
    Play("pass 20");
    EXPECT_EQ((EndTick - StartTick) / 1000, elapsed) << "the time stops with the win";
    NewSounds();

    Play("down right\npass");
    EXPECT_EQ(GameState, NameEntry);
    EXPECT_EQ(HighScore, static_cast<int32_t>(elapsed));
    EXPECT_STREQ(HighScoreName, "");
    EXPECT_EQ(NameLength, 0);
    EXPECT_EQ(MenuCursorX, 0);
    EXPECT_EQ(MenuCursorY, 0);
    EXPECT_EQ(NewSounds(), (Sounds{"sound bgmx rewind", "sound bgmx loop"}));
}

TEST_F(GameFlowTest, ATimeEqualToTheBestGoesBackToTheTitle) {
    WinSmallMap();
    const int32_t elapsed = static_cast<int32_t>((EndTick - StartTick) / 1000);
    HighScore = elapsed;
    Play("click left\npass");
    EXPECT_EQ(GameState, Title);
    EXPECT_EQ(HighScore, elapsed);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    EXPECT_TRUE(NewSounds().empty());
}

TEST_F(GameFlowTest, ATimeOneSecondBetterThanTheBestIsANewBest) {
    WinSmallMap();
    const int32_t elapsed = static_cast<int32_t>((EndTick - StartTick) / 1000);
    HighScore = elapsed + 1;
    Play("click left\npass");
    EXPECT_EQ(GameState, NameEntry);
    EXPECT_EQ(HighScore, elapsed);
}

TEST_F(GameFlowTest, SwitchingSoundInReadyTakesTheGameMusicAlong) {
    StartOnField();
    Play("key F3\npass");
    EXPECT_EQ(SoundOn, 0);
    EXPECT_EQ(NewSounds(), (Sounds{"sound bgm rewind", "sound bgm stop"}));
    Play("key F3\npass");
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound bgm rewind", "sound bgm loop"}));
}

TEST_F(GameFlowTest, SwitchingSoundWhilePlayingLeavesTheMusicAlone) {
    StartOnField();
    Play("click right\npass\nwait 1000");
    ASSERT_EQ(GameState, Playing);
    NewSounds();
    Play("key F3\npass");
    EXPECT_EQ(SoundOn, 0);
    EXPECT_TRUE(NewSounds().empty());
    Play("key F3\npass");
    EXPECT_EQ(NewSounds(), Sounds{"sound do once"});
}

TEST_F(GameFlowTest, TheMenusSoundItemClicksOnlyWhenSwitchingSoundOn) {
    Launch(WriteSmallMap());
    Play("pass\nmove 0 60\npass");
    ASSERT_EQ(SelectedRow, 2);
    NewSounds();
    Play("click left\npass");
    EXPECT_EQ(SoundOn, 0);
    EXPECT_TRUE(NewSounds().empty());
    Play("click left\npass");
    EXPECT_EQ(SoundOn, 1);
    EXPECT_EQ(NewSounds(), Sounds{"sound do once"});
    EXPECT_EQ(GameState, Title);
}

TEST_F(GameFlowTest, TheMenusOptionItemsClickAndFlip) {
    Launch(WriteSmallMap());
    Play("pass\nmove 0 30\npass\nclick left\npass");
    EXPECT_EQ(QuestionMarksOn, 0);
    Play("move 0 60\npass\nclick left\npass");
    EXPECT_EQ(AnimationOn, 0);
    HighScore = 42;
    std::snprintf(SpareText, sizeof(SpareText), "extra");
    Play("move 0 30\npass\nclick left\npass");
    EXPECT_EQ(HighScore, 999999);
    EXPECT_STREQ(HighScoreName, "NO NAME");
    EXPECT_STREQ(SpareText, "");
    EXPECT_EQ(NewSounds(), (Sounds{"sound do once", "sound do once", "sound do once"}));
    Play("click right\npass");
    EXPECT_EQ(QuestionMarksOn, 0) << "the right button does nothing on the title";
}

TEST_F(GameFlowTest, WithSoundOffNoCueSounds) {
    Launch(WriteSmallMap());
    Play("pass\nkey F3\npass");
    NewSounds();
    Play("key F1\npass\nkey F2\nkey F4\nkey F9\npass");
    int x = 0;
    int y = 0;
    FindCell(false, &x, &y);
    ClickCell(x, y, "left");
    FindCell(true, &x, &y);
    ClickCell(x, y, "right");
    Play("wait 2000");
    EXPECT_TRUE(NewSounds().empty());
}

// Coming back to the front restores the display and reloads the palette
// and the sheet before frames resume; while away, nothing is drawn.
TEST_F(GameFlowTest, ReactivationReloadsThePaletteAndTheSheet) {
    InstallTestSheet();
    Launch(WriteSmallMap());
    Play("pass 2");
    const PaletteEntry loaded = PaletteTable[200];
    ASSERT_EQ(loaded.blue, 200);
    ASSERT_EQ(loaded.green, 55);
    ASSERT_EQ(loaded.red, 100);
    Play("activate 0\npass");
    EXPECT_EQ(AppActive, 0);
    PaletteTable[200] = PaletteEntry{0, 0, 0, 0};
    SpriteSheet[SheetWidth * 10 + 20] = 0;
    const uint64_t frames = HeadlessFramesPresented();
    Play("pass 3");
    EXPECT_EQ(HeadlessFramesPresented(), frames);
    Play("activate 1\npass");
    EXPECT_EQ(AppActive, 1);
    EXPECT_EQ(PaletteTable[200].blue, 200);
    EXPECT_EQ(PaletteTable[200].green, 55);
    EXPECT_EQ(PaletteTable[200].red, 100);
    EXPECT_EQ(SpriteSheet[SheetWidth * 10 + 20], 30);
    const uint64_t restored = HeadlessFramesPresented();
    Play("pass");
    EXPECT_EQ(HeadlessFramesPresented(), restored + 1);
}

// A release made while another window had the focus never arrives; the
// button must not stay down and turn the next click into a chord.
TEST_F(GameFlowTest, LosingTheFocusLetsGoOfTheButtons) {
    StartOnField();
    AimAt(3, 3);
    Play("down right\npass\nactivate 0\npass\nactivate 1\npass");
    EXPECT_EQ(RightButton, Idle);
    Play("click left\npass");
    EXPECT_NE(CoverState[CellIndex(3, 3)], Hidden) << "the click became a chord";
}

// A press made on the old board belongs to it: its release on a new board
// must not open a cell before that board's clock has started.
TEST_F(GameFlowTest, AButtonHeldOverANewGameDoesNotOpenOnTheNewBoard) {
    StartOnField();
    AimAt(5, 5);
    Play("click right\npass\nmove 0 32\npass\ndown left\npass\nkey F1\npass\nup left\npass");
    EXPECT_EQ(GameState, Ready);
    EXPECT_EQ(CoveredCount, PlayableCount);
    EXPECT_EQ(StartTick, 0u);
}

}  // namespace
