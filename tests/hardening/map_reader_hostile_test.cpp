// SPDX-License-Identifier: MIT
// The map reader against files made to hurt it, and maps at every limit.
// Its time must grow with the file and the grid, never faster: it reads
// each byte once, never goes back, stops where the map ends, and spends
// one step per cell whatever the run lengths claim. (The benchmark
// BM_HostileMap in torvex-bench shows the growth itself.)
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "board/board.h"
#include "board/moves.h"
#include "board/new_game.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "state/options.h"
#include "tests/hardening/hostile_maps.h"
#include "tests/support/game_fixture.h"

namespace {

// A file over a text in memory that counts what the reader asks of it.
struct CountedText {
    std::string text;
    size_t position = 0;
    size_t bytesHandedOut = 0;
    int reads = 0;
    int seeks = 0;
};

ssize_t ReadCounted(void* cookie, char* buffer, size_t size) {
    auto* counted = static_cast<CountedText*>(cookie);
    ++counted->reads;
    const size_t available = counted->text.size() - counted->position;
    const size_t given = size < available ? size : available;
    std::memcpy(buffer, counted->text.data() + counted->position, given);
    counted->position += given;
    counted->bytesHandedOut += given;
    return static_cast<ssize_t>(given);
}

int SeekCounted(void* cookie, off64_t*, int) {
    ++static_cast<CountedText*>(cookie)->seeks;
    return -1;  // a reader that goes back gets nowhere
}

class HostileMapReader : public GameTest {
  protected:
    // Reads `text` as a map through a counting file.
    MapReadReport Read(const std::string& text) {
        counted = CountedText{};
        counted.text = text;
        cookie_io_functions_t functions{};
        functions.read = ReadCounted;
        functions.seek = SeekCounted;
        FILE* file = fopencookie(&counted, "r", functions);
        EXPECT_NE(file, nullptr);
        const MapReadReport report = ReadMap(file);
        std::fclose(file);
        return report;
    }

    CountedText counted;
};

TEST_F(HostileMapReader, ReadsEachByteOnceAndNeverGoesBack) {
    // Files of a few megabytes from every family: none makes the reader go
    // back, and whatever is accepted is a board the game can play.
    for (const HostileMap& family : HostileMapFamilies()) {
        for (const size_t bytes : {size_t{1} << 10, size_t{1} << 22}) {
            SCOPED_TRACE(std::string(family.name) + ", " + std::to_string(bytes) + " bytes");
            const std::string text = family.make(bytes);
            const MapReadReport report = Read(text);
            EXPECT_EQ(counted.seeks, 0);
            if (report.playable) {
                EXPECT_GE(BoardWidth, 1);
                EXPECT_LE(BoardWidth, MaxBoardSide);
                EXPECT_LT(MineCount, PlayableCount);
            } else {
                EXPECT_FALSE(report.problem.empty());
            }
        }
    }
}

TEST_F(HostileMapReader, StopsReadingWhereTheMapEnds) {
    // A complete map followed by megabytes of more fields: the reader looks
    // only as far as the first byte that shows something follows.
    const std::string map = "Small,6,5,3,30,";
    std::string text = map + "1,2,3,";
    text += std::string(1 << 22, '7');
    const MapReadReport report = Read(text);
    ASSERT_TRUE(report.playable) << report.problem;
    EXPECT_TRUE(report.runsPastGrid);
    EXPECT_LT(counted.bytesHandedOut, size_t{1} << 16);

    // A header that cannot be played is refused before any run is read.
    Read("Wide,301,300,1," + std::string(1 << 22, '1'));
    EXPECT_LT(counted.bytesHandedOut, size_t{1} << 16);
}

TEST_F(HostileMapReader, SpendsOneStepPerCellWhateverARunClaims) {
    // Runs far longer than the grid, and a grid covered by one huge run:
    // reading walks the cells, not the lengths written in the file.
    ASSERT_TRUE(Read("One,1,1,0,2147483647,").playable);
    EXPECT_EQ(PlayableCount, 1);
    ASSERT_TRUE(Read("Huge run,300,300,0,99999999999999999999,").playable);
    EXPECT_EQ(PlayableCount, BoardCells);
    const MapReadReport report = Read("Void run,300,300,0,1,4294967295,");
    ASSERT_TRUE(report.playable) << report.problem;
    EXPECT_EQ(PlayableCount, 1);
    EXPECT_TRUE(report.runsPastGrid);
}

TEST_F(HostileMapReader, MapsAtEveryLimitArePlayable) {
    // The smallest map, strips one cell across, the largest map with one
    // free cell, and a full board with no mines: each loads, lays out, and
    // its first opening is safe.
    struct Limit {
        const char* text;
        int32_t width, height, mines;
    };
    const Limit limits[] = {
        {"Dot,1,1,0,1,", 1, 1, 0},
        {"Row,300,1,299,300,", 300, 1, 299},
        {"Column,1,300,150,300,", 1, 300, 150},
        {"Packed,300,300,89999,90000,", 300, 300, 89999},
        {"Open,300,300,0,90000,", 300, 300, 0},
    };
    SoundOn = 0;
    for (const Limit& limit : limits) {
        SCOPED_TRACE(limit.text);
        const MapReadReport report = Read(limit.text);
        ASSERT_TRUE(report.playable) << report.problem;
        EXPECT_EQ(BoardWidth, limit.width);
        EXPECT_EQ(BoardHeight, limit.height);
        EXPECT_EQ(MineCount, limit.mines);
        NewGame();
        OpenAtView();
        EXPECT_NE(GameState, Lost);
        // One opening wins the two extremes: every cell a mine but one, and
        // no mines at all.
        if (limit.mines == PlayableCount - 1 || limit.mines == 0) {
            EXPECT_EQ(CoveredCount, MineCount);
        }
    }
}

TEST_F(HostileMapReader, RefusesWhatLiesJustBeyondTheLimits) {
    for (const char* text : {"Wide,301,1,0,301,", "High,1,301,0,301,", "Empty,0,0,0,",
                             "Full,2,1,2,2,", "All void,3,3,0,0,9,"}) {
        SCOPED_TRACE(text);
        const MapReadReport report = Read(text);
        EXPECT_FALSE(report.playable);
        EXPECT_FALSE(report.problem.empty());
    }
}

}  // namespace
