// SPDX-License-Identifier: MIT
// Choosing the map at start-up: the extension, the settings path beside the
// map, and the dialog that follows every failure. (Paths and argument texts
// of every awkward kind are the hardening tests'.)
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/load_map.h"
#include "app/shell_state.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "tests/support/game_fixture.h"

namespace {

TEST(MapExtension, IsFoundInAnyLetterCaseWithSomethingBeforeIt) {
    // The first occurrence counts, even in a folder name.
    const std::pair<const char*, int32_t> cases[] = {
        {"corners.tvm", 10}, {"CORNERS.TvM", 10}, {"a.tvm", 4},       {"corners.tvm extra", 10},
        {"..tvm", 4},        {".tvm", -1},        {"a.tv", -1},       {"", -1},
        {"a,tvm", -1},       {"x.tvmap", 4},      {"/m.tvm/a.tvm", 5}};
    for (const auto& [text, lastLetter] : cases)
        EXPECT_EQ(FindMapExtension(text), lastLetter) << text;
}

TEST(SettingsPath, ReplacesTheExtensionsLastLetterAndNeverEqualsTheMapPath) {
    // Room for the path and its terminator only: a suffix does not fit, and
    // a cut settings path could name any file, so there is none.
    const std::string full(PathCapacity - 1, 'p');
    const std::string roomForSuffix = full.substr(0, PathCapacity - 5);
    const std::pair<std::string, std::string> cases[] = {
        {"C:\\MAPS\\A.TVM", "C:\\MAPS\\A.TVh"},
        {"corners.tvm", "corners.tvh"},
        // Only the file's own name counts, never a folder's.
        {"/maps/a.tvm.dir/a.tvm", "/maps/a.tvm.dir/a.tvh"},
        {"/maps/x.tvm/plain", "/maps/x.tvm/plain.tvh"},
        {"x.tvm/.tvm", "x.tvm/.tvh"},
        {"/maps/.tvm", "/maps/.tvh"},
        {"/maps/plain", "/maps/plain.tvh"},
        {".tvm", ".tvm.tvh"},
        {"/maps/x.tvh", "/maps/x.tvh.tvh"},
        {full, ""},
        {roomForSuffix, roomForSuffix + ".tvh"},
        {roomForSuffix + ".tvm", roomForSuffix + ".tvh"},
    };
    for (const auto& [map, expected] : cases) {
        std::vector<char> settings(PathCapacity, '#');
        DeriveSettingsPath(map.c_str(), settings.data(), PathCapacity);
        EXPECT_EQ(std::string(settings.data()), expected) << map.substr(0, 40);
    }
}

class MapChoice : public GameTest {};

TEST_F(MapChoice, NamesEachFailureAndAsksAgainFromItUntilAMapLoads) {
    // The whole argument text is the path, quotation marks included; a
    // missing file and one that cannot be played are named with what is
    // wrong. Any file may be chosen, with or without extension.
    const std::string quoted = "\"" + WriteTestFile("corners.tvm", "Corners,4,3,2,5,") + "\"";
    const std::string flat = WriteTestFile("flat.tvm", "Flat,0,3,1,5,");
    const std::string folder = TemporaryFolder();
    const std::string plain = WriteTestFile("plain map", "Plain,2,1,1,2,");
    for (const std::string& answer : {flat, folder, plain})
        HeadlessAddDialogAnswer(answer);
    CommandLineText = quoted.c_str();
    ASSERT_EQ(LoadMapFile(), 1);
    const std::string notice = "messagebox Cannot Open ! | ";
    EXPECT_EQ(
        HeadlessLog(),
        std::vector<std::string>(
            {notice + quoted + "\\nThe file does not exist.", "dialog " + quoted + " -> " + flat,
             notice + flat + "\\nThe map is 0 cells wide; a map is 1 to 300 cells wide.",
             "dialog " + flat + " -> " + folder,
             notice + folder + "\\nThis is a folder, not a file.",
             "dialog " + folder + " -> " + plain}));
    EXPECT_STREQ(MapName, "Plain");
    EXPECT_EQ(std::string(MapPath), plain);
    EXPECT_EQ(std::string(SettingsPath), plain + ".tvh");
}

TEST_F(MapChoice, AChosenPathTooLongToOpenIsRefusedLikeOneOnTheCommandLine) {
    // Neither is ever opened cut short: the notice names as much of it as
    // fits, says why, and the dialog asks again, from there.
    const std::string tooLong = "/maps/" + std::string(PathCapacity, 'x') + ".tvm";
    const std::string cut = tooLong.substr(0, PathCapacity - 1);
    const std::string map = WriteTestFile("corners.tvm", "Corners,4,3,2,5,");
    HeadlessAddDialogAnswer(tooLong);
    HeadlessAddDialogAnswer(map);
    CommandLineText = tooLong.c_str();
    ASSERT_EQ(LoadMapFile(), 1);
    const std::string notice = "messagebox Cannot Open ! | " + cut + "\\nThe path is too long.";
    EXPECT_EQ(HeadlessLog(), std::vector<std::string>({notice, "dialog " + cut + " -> " + tooLong,
                                                       notice, "dialog " + cut + " -> " + map}));
    EXPECT_STREQ(MapName, "Corners");
}

TEST_F(MapChoice, ADialogCancelledAfterARefusalRepeatsItOnStandardError) {
    // The box is gone by then; a player in a terminal still reads why.
    const std::string missing = TestFolder() + "/gone.tvm";
    CommandLineText = missing.c_str();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadMapFile(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "torvex: Cannot Open ! " + missing + ": The file does not exist.\n");

    // Cancelled with no refusal before it: nothing to repeat.
    HeadlessReset();
    CommandLineText = "";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(LoadMapFile(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
