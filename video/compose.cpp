// SPDX-License-Identifier: MIT
#include "video/compose.h"

#include <algorithm>

#include "board/board.h"
#include "board/clock.h"
#include "files/map_file.h"
#include "state/game_state.h"
#include "state/options.h"
#include "version.h"
#include "video/display.h"
#include "video/overview.h"
#include "video/sprites.h"

int32_t TitleScroll;
int32_t SelectedRow;
int32_t SelectedColumn;

namespace {

// The board point (ViewX, ViewY) is always under this screen pixel, and the
// crosshair picture is centred on it.
constexpr int32_t ViewPixelX = 319;
constexpr int32_t ViewPixelY = 239;
constexpr int32_t CursorBoxX = 303;
constexpr int32_t CursorBoxY = 223;

// Cells drawn around the view cell: 23 x 17 cover the screen for every view
// position.
constexpr int32_t ColumnsEachSide = 11;
constexpr int32_t RowsEachSide = 8;

constexpr int32_t FaceX = 550;
constexpr int32_t FaceY = 400;

// Both fonts; font 1 is the second colour, used for headings.
constexpr int32_t PlainFont = 0;
constexpr int32_t HeadingFont = 1;

// The title screen's background: the opened empty cell, tiled and scrolled
// one pixel up and left per frame.
constexpr int32_t TitleScrollPeriod = 32;
constexpr int32_t TitleColumns = 23;
constexpr int32_t TitleRows = 17;

// One pixel of pointer movement per this many units of MenuCursorX/Y: the
// title menu lines and the name-grid cells each take 30.
constexpr int32_t CursorUnitsPerItem = 30;

constexpr int32_t MenuBarX = 160;
constexpr int32_t MenuBarTop = 248;  // two pixels above the first menu line
constexpr int32_t MenuLineX = 190;
constexpr int32_t MenuLineTop = 250;
constexpr int32_t MenuLineSpacing = 20;

// The name grid: glyphs 23 pixels apart; the crosshair picture marks a
// glyph from 9 pixels left of and above it; END stands under column 13.
constexpr int32_t GridLeft = 20;
constexpr int32_t GridTop = 200;
constexpr int32_t GridPitch = 23;
constexpr int32_t GridBoxOffset = 9;
constexpr int32_t EndColumn = 13;
constexpr int32_t NameX = 360;
constexpr int32_t NameY = 350;

// A number and the unit after it are this far apart.
constexpr int32_t UnitGap = 5;

bool IsBoardScreen(int32_t state) {
    return state == Ready || state == Playing || state == Lost || state == Won;
}

void BlitTile(int32_t x, int32_t y, int32_t tile) {
    BlitSprite(x, y, TileRects[tile]);
}

// The screen position of the top-left corner of cell (i, j).
int32_t CellScreenX(int32_t i) {
    return CellPixels * i + ViewPixelX - ViewX;
}
int32_t CellScreenY(int32_t j) {
    return CellPixels * j + ViewPixelY - ViewY;
}

void DrawTitleBackground() {
    ++TitleScroll;
    if (TitleScroll > TitleScrollPeriod - 1)
        TitleScroll = 0;
    for (int32_t i = 0; i < TitleColumns; ++i) {
        for (int32_t j = 0; j < TitleRows; ++j) {
            BlitTile(CellPixels * i - TitleScroll, CellPixels * j - TitleScroll, OpenedEmptyTile);
        }
    }
}

// Every cell of the board around the view, each showing where it is in its
// animation. One tick count serves all of them, so the cells of one frame
// show one moment.
void DrawCells(uint32_t now) {
    // The 23 x 17 cells around the view, limited to the board: cells beyond
    // its edges are never drawn. Wide arithmetic keeps a view far off the
    // board from wrapping around.
    const int64_t cx = ViewX / CellPixels;
    const int64_t cy = ViewY / CellPixels;
    const int64_t firstColumn = std::max<int64_t>(cx - ColumnsEachSide, 0);
    const int64_t lastColumn = std::min<int64_t>(cx + ColumnsEachSide, BoardWidth - 1);
    const int64_t firstRow = std::max<int64_t>(cy - RowsEachSide, 0);
    const int64_t lastRow = std::min<int64_t>(cy + RowsEachSide, BoardHeight - 1);
    for (int64_t i = firstColumn; i <= lastColumn; ++i) {
        for (int64_t j = firstRow; j <= lastRow; ++j) {
            const int32_t cell = CellIndex(static_cast<int32_t>(i), static_cast<int32_t>(j));
            if (CoverState[cell] == Void)
                continue;  // the black background shows
            const uint32_t tenths = (now - ChangeTime[cell]) / 100u;
            BlitTile(CellScreenX(static_cast<int32_t>(i)), CellScreenY(static_cast<int32_t>(j)),
                     SelectTile(tenths, CellValue[cell], CoverState[cell]));
        }
    }
}

// The brackets on what a held button would act on: the hidden view cell
// while the left button is down alone, or the hidden neighbours of an open
// view cell while both buttons chord.
void DrawPressHighlight() {
    int32_t x;
    int32_t y;
    if (!GetViewCell(&x, &y))
        return;
    const int8_t cover = CoverState[CellIndex(x, y)];
    if (cover == Hidden && LeftButton != Idle && RightButton == Idle) {
        BlitTile(CellScreenX(x), CellScreenY(y), PressHighlightTile);
    } else if (cover == Open && (LeftButton == Chording || RightButton == Chording)) {
        for (int32_t dx = -1; dx <= 1; ++dx) {
            for (int32_t dy = -1; dy <= 1; ++dy) {
                if (!InsideBoard(x + dx, y + dy))
                    continue;
                if (CoverState[CellIndex(x + dx, y + dy)] != Hidden)
                    continue;
                BlitTile(CellScreenX(x + dx), CellScreenY(y + dy), PressHighlightTile);
            }
        }
    }
}

void DrawFace() {
    const int32_t face = 2 * GameState + FacePhase;
    if (face < 0 || face >= static_cast<int32_t>(sizeof(FaceRects) / sizeof(FaceRects[0])))
        return;
    BlitSprite(FaceX, FaceY, FaceRects[face]);
}

void DrawTitleTexts() {
    DrawString(460, 80, HeadingFont, "V " TORVEX_VERSION);
    DrawString(200, 130, HeadingFont, "Map Name");
    DrawText(250, 146, PlainFont, MapName, MapNameCapacity);
    DrawString(200, 180, HeadingFont, "High-Score");
    const int32_t scoreEnd = DrawNumber(250, 200, PlainFont, HighScore);
    const int32_t unitEnd = DrawString(scoreEnd + UnitGap, 200, PlainFont, "SEC");
    DrawText(unitEnd + 30, 200, PlainFont, HighScoreName, HighScoreNameCapacity);

    SelectedRow = MenuCursorY / CursorUnitsPerItem;
    BlitSprite(MenuBarX, MenuBarTop + MenuLineSpacing * SelectedRow, MenuBarRect);
    // Space-filled so that every key name starts at the 18th character.
    static const char* const MenuLines[] = {
        "Game Start       (F1)", "?-Mark On/Off    (F2)", "Sound On/Off     (F3)",
        "Animation On/Off (F4)", "Clear High Score (F9)", "Exit Game        (Esc)",
    };
    for (int32_t k = 0; k < 6; ++k) {
        DrawString(MenuLineX, MenuLineTop + MenuLineSpacing * k, HeadingFont, MenuLines[k]);
    }

    DrawString(50, 400, PlainFont, QuestionMarksOn ? "?-Mark    On." : "?-Mark    Off.");
    DrawString(50, 420, PlainFont, SoundOn ? "Sound     On." : "Sound     Off.");
    DrawString(50, 440, PlainFont, AnimationOn ? "Animation On." : "Animation Off.");
    // The command line's no-guess play has no menu item; a line tells it is on.
    if (NoGuessOn == 1)
        DrawString(50, 460, PlainFont, "No Guess On.");
    BlitSprite(177, 20, LogoRect);
}

void DrawBoardTexts(uint32_t now) {
    if (GameState == Ready)
        DrawString(300, 150, PlainFont, "GO !");
    // The clock shows, and a win is timed by, the last frame composed while
    // Playing: the time stops with the game.
    if (GameState == Playing)
        EndTick = now;

    DrawString(5, 428, HeadingFont, "You");
    const int32_t minesEnd = DrawNumber(10, 444, PlainFont, MinesLeft);
    DrawString(minesEnd + UnitGap, 444, PlainFont, "Mine(s)");
    // At most 4294967 seconds: it always fits a signed number.
    const int32_t seconds = static_cast<int32_t>((EndTick - StartTick) / 1000u);
    const int32_t secondsEnd = DrawNumber(10, 460, PlainFont, seconds);
    DrawString(secondsEnd + UnitGap, 460, PlainFont, "Sec");

    DrawString(5, 5, HeadingFont, "High-Score");
    const int32_t scoreEnd = DrawNumber(10, 20, PlainFont, HighScore);
    DrawString(scoreEnd + UnitGap, 20, PlainFont, "Sec");
    DrawText(10, 36, PlainFont, HighScoreName, HighScoreNameCapacity);

    if (GameState == Lost)
        DrawString(240, 150, PlainFont, "Game Is Over !");
    if (GameState == Won)
        DrawString(230, 150, PlainFont, "Congratulation !");
}

void DrawNameEntryTexts() {
    DrawString(220, 100, HeadingFont, "It's A High Score !");
    DrawString(180, 130, HeadingFont, "Prease Entry Your Name !");
    for (int32_t g = 0; g < LetterGridRows; ++g) {
        for (int32_t k = 0; k < LetterGridColumns; ++k) {
            DrawCharacter(GridLeft + GridPitch * k, GridTop + GridPitch * g, PlainFont,
                          LetterGrid[LetterGridColumns * g + k]);
        }
    }
    DrawString(310, 269, PlainFont, "END");
    DrawString(210, 320, HeadingFont, "High-Score =");
    const int32_t scoreEnd = DrawNumber(NameX, 320, HeadingFont, HighScore);
    DrawString(scoreEnd + UnitGap, 320, HeadingFont, "SEC");
    DrawString(210, NameY, HeadingFont, "Your Name  =");
    DrawText(NameX, NameY, HeadingFont, HighScoreName, HighScoreNameCapacity);

    SelectedColumn = MenuCursorX / CursorUnitsPerItem;
    SelectedRow = MenuCursorY / CursorUnitsPerItem;
    if (SelectedRow == EndRow)
        SelectedColumn = EndColumn;
    BlitTile(GridLeft - GridBoxOffset + GridPitch * SelectedColumn,
             GridTop - GridBoxOffset + GridPitch * SelectedRow, CursorBoxTile);

    // The selected character, where the next character of the name would go.
    const bool onGrid = SelectedRow >= 0 && SelectedRow < LetterGridRows && SelectedColumn >= 0 &&
                        SelectedColumn < LetterGridColumns;
    if (onGrid) {
        DrawCharacter(NameX + TextAdvance * NameLength, NameY, PlainFont,
                      LetterGrid[LetterGridColumns * SelectedRow + SelectedColumn]);
    }
}

}  // namespace

int32_t SelectTile(uint32_t tenths, int32_t value, int32_t cover) {
    const uint32_t t = tenths;
    const bool lost = GameState == Lost;
    const bool animate = AnimationOn != 0;
    switch (cover) {
        case Hidden:
            if (lost && value == Mine)
                return RevealedMineTile;
            // A cell covered again (a flag or mark taken off) rises back.
            if (animate && t < 2)
                return static_cast<int32_t>(t);
            return RaisedTile;
        case Open:
            if (value == 0) {
                if (animate && t < 5)
                    return OpeningEmptyTile + static_cast<int32_t>(t);
                return OpenedEmptyTile;
            }
            if (value == Mine)
                return ExplodingMineTile + (animate ? static_cast<int32_t>(t % 2) : 0);
            if (value >= 1 && value <= 8) {
                const int32_t frames = NumberTileBase + 13 * (value - 1);
                if (!animate)
                    return frames + 5;
                if (t < 5)
                    return frames + static_cast<int32_t>(t);
                return frames + 5 + static_cast<int32_t>((t - 5) % 8);
            }
            return SpareTile;
        case Flagged:
            // After a loss a flag on a safe cell is shown crossed out.
            if (lost && value != Mine) {
                return CrossedFlagTile + (animate ? static_cast<int32_t>(t % 2) : 0);
            }
            if (animate && t < 2)
                return 3 + static_cast<int32_t>(t);  // the cell sinking
            if (animate)
                return FlagTile + static_cast<int32_t>(t % 2);
            return FlagTile;
        case Questioned:
            return QuestionTile + (animate ? static_cast<int32_t>(t % 2) : 0);
        default:
            return SpareTile;
    }
}

void ComposeFrame() {
    ClearBackBuffer();
    const bool boardScreen = IsBoardScreen(GameState);
    // The overview replaces the cells, the press highlight and the cursor;
    // the face and the texts stay, and the clock shown keeps running.
    const bool overview = boardScreen && Overview == 1;
    uint32_t now = 0;
    if (GameState == Title) {
        DrawTitleBackground();
    } else {
        now = GetTickCount();
        if (overview) {
            DrawOverview();
        } else {
            DrawCells(now);
        }
    }
    if (boardScreen && !overview) {
        DrawPressHighlight();
        BlitTile(CursorBoxX, CursorBoxY, CursorBoxTile);
    }
    DrawFace();
    if (GameState == Title) {
        DrawTitleTexts();
    } else if (boardScreen) {
        DrawBoardTexts(now);
    } else if (GameState == NameEntry) {
        DrawNameEntryTexts();
    }
    FlipPage();
}

void ResetCompose() {
    TitleScroll = 0;
    SelectedRow = 0;
    SelectedColumn = 0;
}

// The start values are the reset values, written once, above.
static const bool ComposeStarted = (ResetCompose(), true);
