// SPDX-License-Identifier: MIT
// Reading a map file into the Board: the format, the runs, and every map
// that is refused because it cannot be played. (Hostile files and maps at
// the limits are the hardening tests'.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board/board.h"
#include "files/map_file.h"
#include "tests/files/file_text.h"
#include "tests/support/game_fixture.h"

namespace {

using Rows = std::vector<std::string>;

MapReadReport Read(const std::string& contents) {
    FilePointer file = TextAsFile(contents);
    return ReadMap(file.get());
}

class MapReader : public GameTest {};

const char* const CornersOnThreeLines = "Corners,4,3,2,\n0,1,2,1/4/\n1,2,1/\n";
const Rows CornersCover = {" HH ", "HHHH", " HH "};

TEST_F(MapReader, ReadsTheCornersMapInBothItsFormsAndWithLineBreaksAnywhere) {
    std::string broken;
    for (const char c : std::string("Corners,4,3,2,0,1,2,1,4,1,2,1,"))
        broken += std::string(1, c) + "\r\n";
    for (const std::string& contents : {std::string(CornersOnThreeLines),
                                        std::string("Corners,4,3,2,0,1,2,1,4,1,2,1,"), broken}) {
        SCOPED_TRACE(contents);
        ResetBoard();
        const MapReadReport report = Read(contents);
        ASSERT_TRUE(report.playable) << report.problem;
        EXPECT_STREQ(MapName, "Corners");
        EXPECT_EQ(BoardWidth, 4);
        EXPECT_EQ(BoardHeight, 3);
        EXPECT_EQ(MineCount, 2);
        EXPECT_EQ(PlayableCount, 8);
        EXPECT_EQ(CoverArt(), CornersCover);
    }
}

TEST_F(MapReader, ReadsRunsAcrossRowsAndSaysWhenTheyEndEarlyOrGoPastTheLastCell) {
    const struct {
        const char* contents;
        Rows cover;
        bool endedEarly, pastGrid;
    } cases[] = {
        // A run of 0 only switches the kind, and runs go on across rows.
        {"Void first,3,1,0,0,1,2,", {" HH"}, false, false},
        {"Joined,4,2,0,5,0,3,", {"HHHH", "HHHH"}, false, false},
        {"Gap,5,1,1,2,0,1,2,", {"HHH  "}, false, false},
        {"Snake,3,3,1,4,1,4,", {"HHH", "H H", "HHH"}, false, false},
        {"Long run,3,1,0,7,", {"HHH"}, false, true},
        {"More runs,2,1,0,2,5,junk,", {"HH"}, false, true},
        {"Exact,2,1,0,2,\r\n\n  ", {"HH"}, false, false},
        // The rest of the grid is Void, not the last run again: a last run
        // of 0 once made the reader repeat it for ever.
        {"Short,4,2,1,2,1,1,", {"HH H", "    "}, true, false},
        {"Zero last,3,1,0,1,0,", {"H  "}, true, false},
        {"Cut,3,1,0,1,1", {"H  "}, true, false},  // a number without its separator is not taken
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contents);
        const MapReadReport report = Read(c.contents);
        ASSERT_TRUE(report.playable) << report.problem;
        EXPECT_EQ(CoverArt(), c.cover);
        EXPECT_EQ(report.runsEndedEarly, c.endedEarly);
        EXPECT_EQ(report.runsPastGrid, c.pastGrid);
    }
}

TEST_F(MapReader, KeepsTheNameAsWrittenButCutsItTo31Characters) {
    const std::string longName = "The Long And Winding Field Of Forty Letters";
    const std::pair<std::string, std::string> cases[] = {
        {"  Big Map\n,2,1,0,2,", "  Big Map"},
        {longName + ",2,1,0,2,", longName.substr(0, 31)},
        {"Up/Down,30/1,0,30,", "Up/Down"},  // '/' ends a number, never a name
    };
    for (const auto& [contents, name] : cases) {
        ASSERT_TRUE(Read(contents).playable) << contents;
        EXPECT_EQ(std::string(MapName), name);
    }
    EXPECT_EQ(BoardWidth, 30);
    EXPECT_EQ(BoardHeight, 1);
}

TEST_F(MapReader, RefusesWhatCannotBePlayedSayingWhy) {
    const std::string cutShort =
        "The file ends before the map's name, width, height and number of mines.";
    const std::pair<const char*, std::string> cases[] = {
        // no problem: accepted
        {"", cutShort},
        {"Only a name", cutShort},
        {"Name,4,3,", cutShort},
        {"Name,4,3,2", cutShort},
        {"Flat,0,3,1,5,", "The map is 0 cells wide; a map is 1 to 300 cells wide."},
        {"Wide,301,3,1,5,", "The map is 301 cells wide; a map is 1 to 300 cells wide."},
        {"Thin,3,,1,5,", "The map is 0 cells high; a map is 1 to 300 cells high."},
        {"Huge,3,99999999999,1,5,",
         "The map is 2147483647 cells high; a map is 1 to 300 cells high."},
        {"Empty,3,2,0,0,6,", "The map has no playable cell."},
        {"No runs,3,2,0,", "The map has no playable cell."},
        {"Full,2,2,4,4,",
         "The map has 4 mines for 4 playable cells; it needs more playable cells than mines."},
        {"Crowded,2,2,99999999999,4,",
         "The map has 2147483647 mines for 4 playable cells; it needs more playable cells than "
         "mines."},
        // One free cell is enough, and a map may have no mines at all.
        {"Tight,2,2,3,4,", ""},
        {"Calm,2,2,0,4,", ""},
    };
    for (const auto& [contents, problem] : cases) {
        const MapReadReport report = Read(contents);
        EXPECT_EQ(report.playable, problem.empty()) << contents;
        EXPECT_EQ(report.problem, problem) << contents;
    }
}

TEST_F(MapReader, LeavesTheBoardAsItWasWhenRefusingAndClearsItOutsideANewMap) {
    ASSERT_TRUE(Read("Bigger,6,5,1,29,1,").playable);  // its last cell is Void
    ASSERT_TRUE(Read(CornersOnThreeLines).playable);
    EXPECT_EQ(CoverState[CellIndex(5, 4)], 0) << "a cell of the last map is left outside";
    EXPECT_FALSE(Read("Other,2,2,9,0,1,3,").playable);
    EXPECT_FALSE(Read("Other,2,2,0,0,4,").playable);
    EXPECT_STREQ(MapName, "Corners");
    EXPECT_EQ(BoardWidth, 4);
    EXPECT_EQ(MineCount, 2);
    EXPECT_EQ(PlayableCount, 8);
    EXPECT_EQ(CoverArt(), CornersCover);
}

}  // namespace
