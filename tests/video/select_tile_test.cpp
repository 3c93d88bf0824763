// Which tile a cell shows: every row of the selection table, with and
// without animation, in play and after a loss.
#include <gtest/gtest.h>

#include "app/game_state.h"
#include "board/board.h"
#include "files/settings.h"
#include "tests/support/game_fixture.h"
#include "video/compose.h"

namespace {

// A cell untouched since the game was laid out has ChangeTime 0, so its age
// is the whole tick count: far beyond every opening or sinking sequence.
constexpr uint32_t Untouched = 10000000;

using SelectTileTest = GameTest;

TEST_F(SelectTileTest, PicksTheTileOfTheFirstMatchingRow) {
    const struct {
        const char* what;
        int32_t state, animation, cover, value;
        uint32_t tenths;
        int32_t tile;
    } cases[] = {
        // Hidden
        {"hidden mine after a loss", Lost, 1, Hidden, Mine, 0, 15},
        {"hidden mine in play", Playing, 1, Hidden, Mine, Untouched, 2},
        {"hidden safe cell after a loss", Lost, 1, Hidden, 3, Untouched, 2},
        {"a cell just covered again, flat", Playing, 1, Hidden, 0, 0, 0},
        {"a cell just covered again, rising", Playing, 1, Hidden, 0, 1, 1},
        {"a cell covered again, risen", Playing, 1, Hidden, 0, 2, 2},
        {"hidden without animation", Playing, 0, Hidden, 0, 0, 2},
        // Open without animation
        {"open empty, no animation", Playing, 0, Open, 0, 0, 14},
        {"open mine, no animation", Lost, 0, Open, Mine, 1, 16},
        {"open 1, no animation", Playing, 0, Open, 1, 0, 23},
        {"open 8, no animation", Playing, 0, Open, 8, 7, 114},
        // Open with animation
        {"empty opening, frame 0", Playing, 1, Open, 0, 0, 9},
        {"empty opening, frame 4", Playing, 1, Open, 0, 4, 13},
        {"empty opened", Playing, 1, Open, 0, 5, 14},
        {"mine exploding, frame 1", Lost, 1, Open, Mine, 1, 17},
        {"mine exploding, frame 0 again", Lost, 1, Open, Mine, 12, 16},
        {"3 opening, frame 0", Playing, 1, Open, 3, 0, 44},
        {"3 opening, frame 4", Playing, 1, Open, 3, 4, 48},
        {"3 at rest", Playing, 1, Open, 3, 5, 49},
        {"3 turning, last frame", Playing, 1, Open, 3, 12, 56},
        {"3 turning, loop back to rest", Playing, 1, Open, 3, 13, 49},
        {"8 turning, last frame", Playing, 1, Open, 8, 20, 121},
        {"open cells look the same after a loss", Lost, 1, Open, 2, 6, 37},
        // Flagged
        {"wrong flag after a loss", Lost, 1, Flagged, 4, 0, 122},
        {"wrong flag after a loss, frame 1", Lost, 1, Flagged, 0, 1, 123},
        {"wrong flag after a loss, no animation", Lost, 0, Flagged, 4, 1, 122},
        {"right flag after a loss", Lost, 1, Flagged, Mine, 3, 6},
        {"flag just set, sinking", Playing, 1, Flagged, 0, 0, 3},
        {"flag just set, sunk", Playing, 1, Flagged, 0, 1, 4},
        {"flag, frame 0", Playing, 1, Flagged, 0, 2, 5},
        {"flag, frame 1", Playing, 1, Flagged, 0, 3, 6},
        {"flag without animation", Playing, 0, Flagged, 0, 0, 5},
        {"flag after a win", Won, 1, Flagged, Mine, Untouched, 5},
        // Questioned
        {"question mark, frame 0", Playing, 1, Questioned, 0, 4, 7},
        {"question mark, frame 1", Playing, 1, Questioned, Mine, 5, 8},
        {"question mark without animation", Lost, 0, Questioned, Mine, 5, 7},
    };

    for (const auto& c : cases) {
        GameState = c.state;
        AnimationOn = c.animation;
        EXPECT_EQ(SelectTile(c.tenths, c.value, c.cover), c.tile) << c.what;
    }
}

}  // namespace
