// Reading a map file into the Board: the format, the runs, and every map
// that is refused because it cannot be played.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "board/board.h"
#include "files/map_file.h"
#include "tests/files/file_text.h"
#include "tests/support/game_fixture.h"

namespace {

using Rows = std::vector<std::string>;

class MapReader : public GameTest {
  protected:
    MapReadReport Read(const std::string& contents) {
        FilePointer file = TextAsFile(contents);
        return ReadMap(file.get());
    }

    // Reads a map that must be accepted; its cover as art ('H' playable).
    Rows ReadCover(const std::string& contents) {
        const MapReadReport report = Read(contents);
        EXPECT_TRUE(report.playable) << report.problem;
        return CoverArt();
    }

    // Reads a map that must be refused; the reason given.
    std::string RefusalOf(const std::string& contents) {
        const MapReadReport report = Read(contents);
        EXPECT_FALSE(report.playable);
        EXPECT_FALSE(report.unopenable);
        return report.problem;
    }
};

const char* const CornersOnThreeLines = "Corners,4,3,2,\n0,1,2,1/4/\n1,2,1/\n";
const Rows CornersCover = {" HH ", "HHHH", " HH "};

TEST_F(MapReader, ReadsTheCornersMapInBothItsForms) {
    for (const char* contents : {CornersOnThreeLines, "Corners,4,3,2,0,1,2,1,4,1,2,1,"}) {
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
        EXPECT_FALSE(report.runsEndedEarly);
        EXPECT_FALSE(report.runsPastGrid);
    }
}

TEST_F(MapReader, ReadsRunsAcrossRowsAndZeroRunsOnlySwitchTheKind) {
    EXPECT_EQ(ReadCover("Void first,3,1,0,0,1,2,"), Rows({" HH"}));
    EXPECT_EQ(ReadCover("Joined,4,2,0,5,0,3,"), Rows({"HHHH", "HHHH"}));
    EXPECT_EQ(ReadCover("Gap,5,1,1,2,0,1,2,"), Rows({"HHH  "}));
    // Runs go on across the ends of rows.
    EXPECT_EQ(ReadCover("Snake,3,3,1,4,1,4,"), Rows({"HHH", "H H", "HHH"}));
}

TEST_F(MapReader, IgnoresWhatFollowsTheLastCellAndSaysSo) {
    MapReadReport report = Read("Long run,3,1,0,7,");
    ASSERT_TRUE(report.playable);
    EXPECT_EQ(CoverArt(), Rows({"HHH"}));
    EXPECT_TRUE(report.runsPastGrid);

    report = Read("More runs,2,1,0,2,5,junk,");
    ASSERT_TRUE(report.playable);
    EXPECT_EQ(CoverArt(), Rows({"HH"}));
    EXPECT_TRUE(report.runsPastGrid);

    report = Read("Exact,2,1,0,2,\r\n\n  ");
    ASSERT_TRUE(report.playable);
    EXPECT_FALSE(report.runsPastGrid);
}

TEST_F(MapReader, MakesTheRestVoidWhenTheRunsEndEarly) {
    MapReadReport report = Read("Short,4,2,1,2,1,1,");
    ASSERT_TRUE(report.playable) << report.problem;
    EXPECT_TRUE(report.runsEndedEarly);
    EXPECT_FALSE(report.runsPastGrid);
    EXPECT_EQ(CoverArt(), Rows({"HH H", "    "}));
    EXPECT_EQ(PlayableCount, 3);

    // A last number without its separator is not taken.
    EXPECT_EQ(ReadCover("Cut,3,1,0,1,1"), Rows({"H  "}));

    // A last run of 0 once made the reader repeat it forever.
    report = Read("Zero last,3,1,0,1,0,");
    ASSERT_TRUE(report.playable) << report.problem;
    EXPECT_TRUE(report.runsEndedEarly);
    EXPECT_EQ(CoverArt(), Rows({"H  "}));
}

TEST_F(MapReader, IgnoresLineBreaksAnywhere) {
    std::string broken;
    for (const char c : std::string("Corners,4,3,2,0,1,2,1,4,1,2,1,")) {
        broken += c;
        broken += "\r\n";
    }
    EXPECT_EQ(ReadCover(broken), CornersCover);
    EXPECT_STREQ(MapName, "Corners");
    EXPECT_EQ(MineCount, 2);
}

TEST_F(MapReader, KeepsTheNameAsWrittenButCutsItTo31Characters) {
    ReadCover("  Big Map\n,2,1,0,2,");
    EXPECT_STREQ(MapName, "  Big Map");
    ReadCover("Up/Down,30/1,0,30,");
    EXPECT_STREQ(MapName, "Up/Down");
    EXPECT_EQ(BoardWidth, 30);
    EXPECT_EQ(BoardHeight, 1);

    const std::string longName = "The Long And Winding Field Of Forty Letters";
    ReadCover(longName + ",2,1,0,2,");
    EXPECT_EQ(std::string(MapName), longName.substr(0, 31));
}

TEST_F(MapReader, ReadsTheLargestMap) {
    ASSERT_TRUE(Read("Whole,300,300,99,90000,").playable);
    EXPECT_EQ(PlayableCount, 90000);
    EXPECT_EQ(CoverState[CellIndex(299, 299)], Hidden);

    // Alternating single cells: a checkerboard on an even width would be
    // stripes, so 299 columns make it a true checkerboard.
    std::string runs = "Checks,299,300,1,";
    for (int i = 0; i < 299 * 300; ++i)
        runs += "1,";
    ASSERT_TRUE(Read(runs).playable);
    EXPECT_EQ(PlayableCount, (299 * 300 + 1) / 2);
    EXPECT_EQ(CoverState[CellIndex(0, 1)], Void);
    EXPECT_EQ(CoverState[CellIndex(1, 1)], Hidden);
    EXPECT_EQ(CoverState[CellIndex(0, 299)], Void);
    EXPECT_EQ(CoverState[CellIndex(1, 299)], Hidden);
}

TEST_F(MapReader, RefusesAHeaderCutShort) {
    const std::string cutShort =
        "The file ends before the map's name, width, height and number of mines.";
    EXPECT_EQ(RefusalOf(""), cutShort);
    EXPECT_EQ(RefusalOf("Only a name"), cutShort);
    EXPECT_EQ(RefusalOf("Name,4,3,"), cutShort);
    EXPECT_EQ(RefusalOf("Name,4,3,2"), cutShort);
}

TEST_F(MapReader, RefusesASizeTheBoardCannotHold) {
    EXPECT_EQ(RefusalOf("Flat,0,3,1,5,"), "The map is 0 cells wide; a map is 1 to 300 cells wide.");
    EXPECT_EQ(RefusalOf("Wide,301,3,1,5,"),
              "The map is 301 cells wide; a map is 1 to 300 cells wide.");
    EXPECT_EQ(RefusalOf("Thin,3,,1,5,"), "The map is 0 cells high; a map is 1 to 300 cells high.");
    EXPECT_EQ(RefusalOf("Huge,3,99999999999,1,5,"),
              "The map is 2147483647 cells high; a map is 1 to 300 cells high.");
}

TEST_F(MapReader, RefusesAMapWithoutRoomToPlay) {
    EXPECT_EQ(RefusalOf("Empty,3,2,0,0,6,"), "The map has no playable cell.");
    EXPECT_EQ(RefusalOf("No runs,3,2,0,"), "The map has no playable cell.");
    EXPECT_EQ(RefusalOf("Full,2,2,4,4,"),
              "The map has 4 mines for 4 playable cells; it needs more playable cells than mines.");
    EXPECT_EQ(RefusalOf("Crowded,2,2,99999999999,4,"),
              "The map has 2147483647 mines for 4 playable cells; it needs more playable cells "
              "than mines.");
    // One free cell is enough, and a map may have no mines at all.
    EXPECT_TRUE(Read("Tight,2,2,3,4,").playable);
    EXPECT_TRUE(Read("Calm,2,2,0,4,").playable);
}

TEST_F(MapReader, LeavesTheBoardAsItWasWhenRefusing) {
    ASSERT_TRUE(Read(CornersOnThreeLines).playable);
    EXPECT_FALSE(Read("Other,2,2,9,0,1,3,").playable);
    EXPECT_FALSE(Read("Other,2,2,0,0,4,").playable);
    EXPECT_STREQ(MapName, "Corners");
    EXPECT_EQ(BoardWidth, 4);
    EXPECT_EQ(MineCount, 2);
    EXPECT_EQ(PlayableCount, 8);
    EXPECT_EQ(CoverArt(), CornersCover);
}

TEST_F(MapReader, OpensOnlyOrdinaryFiles) {
    MapReadReport report =
        ReadMapFromPath(WriteTestFile("corners.tvm", CornersOnThreeLines).c_str());
    EXPECT_TRUE(report.playable) << report.problem;
    EXPECT_EQ(PlayableCount, 8);

    report = ReadMapFromPath((TemporaryFolder() + "/no such map.tvm").c_str());
    EXPECT_FALSE(report.playable);
    EXPECT_TRUE(report.unopenable);
    EXPECT_EQ(report.problem, "No such file or directory.");

    report = ReadMapFromPath(TemporaryFolder().c_str());
    EXPECT_FALSE(report.playable);
    EXPECT_FALSE(report.unopenable);
    EXPECT_EQ(report.problem, "This is a folder, not a file.");

    // A device would feed the reader bytes for ever.
    report = ReadMapFromPath("/dev/zero");
    EXPECT_FALSE(report.playable);
    EXPECT_EQ(report.problem, "This is a device or a pipe, not a file.");
}

TEST_F(MapReader, KeepsTheBoardConsistentWhateverTheFileHolds) {
    // Files made of the bytes that matter to the readers, in random order:
    // whatever is accepted must be a Board the rules can play, and whatever
    // is refused must leave the Board as it was.
    std::mt19937 random(2024);
    int accepted = 0;
    const std::string alphabet = "0123456789,,,,///\n\r x-";
    for (int round = 0; round < 3000; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(Read("Before,3,2,1,2,1,3,").playable);
        std::string contents = round % 3 == 0 ? "Name," : "";
        if (round % 3 == 1) {
            contents = "Name," + std::to_string(random() % 13) + "," +
                       std::to_string(random() % 13) + "," + std::to_string(random() % 10) + ",";
        }
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i)
            contents += alphabet[random() % alphabet.size()];
        const MapReadReport report = Read(contents);
        if (!report.playable) {
            EXPECT_FALSE(report.problem.empty());
            EXPECT_STREQ(MapName, "Before");
            EXPECT_EQ(CoverArt(), Rows({"HH ", "HHH"}));
            continue;
        }
        ASSERT_GE(BoardWidth, 1);
        ASSERT_LE(BoardWidth, MaxBoardSide);
        ASSERT_GE(BoardHeight, 1);
        ASSERT_LE(BoardHeight, MaxBoardSide);
        int32_t playable = 0;
        int32_t strayCells = 0;  // neither Hidden nor Void inside, not zero outside
        for (int32_t x = 0; x < MaxBoardSide; ++x) {
            for (int32_t y = 0; y < MaxBoardSide; ++y) {
                const int8_t cover = CoverState[CellIndex(x, y)];
                if (!InsideBoard(x, y)) {
                    strayCells += cover != 0;
                } else if (cover == Hidden) {
                    ++playable;
                } else {
                    strayCells += cover != Void;
                }
            }
        }
        EXPECT_EQ(strayCells, 0);
        EXPECT_EQ(PlayableCount, playable);
        EXPECT_GE(MineCount, 0);
        EXPECT_LT(MineCount, PlayableCount);
        ++accepted;
    }
    EXPECT_GT(accepted, 500);  // enough playable maps among them to mean something
}

}  // namespace
