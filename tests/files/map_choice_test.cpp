// Choosing the map at start-up: the argument text, the open dialog, the
// "Cannot Open !" notice after a failure, and the settings path beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/game_state.h"
#include "board/board.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "tests/files/file_text.h"
#include "tests/support/game_fixture.h"

namespace {

using Lines = std::vector<std::string>;

std::string SettingsPathOf(const std::string& mapPath, size_t capacity = PathCapacity) {
    std::vector<char> settings(capacity, '#');
    DeriveSettingsPath(mapPath.c_str(), settings.data(), capacity);
    return settings.data();
}

TEST(MapExtension, IsFoundInAnyLetterCaseWithSomethingBeforeIt) {
    EXPECT_EQ(FindMapExtension("corners.tvm"), 10);
    EXPECT_EQ(FindMapExtension("CORNERS.TvM"), 10);
    EXPECT_EQ(FindMapExtension("a.tvm"), 4);
    EXPECT_EQ(FindMapExtension("corners.tvm extra"), 10);
    EXPECT_EQ(FindMapExtension("..tvm"), 4);
    EXPECT_EQ(FindMapExtension(".tvm"), -1);
    EXPECT_EQ(FindMapExtension("a.tv"), -1);
    EXPECT_EQ(FindMapExtension(""), -1);
    EXPECT_EQ(FindMapExtension("a,tvm"), -1);
    EXPECT_EQ(FindMapExtension("x.tvmap"), 4);
    // The first occurrence counts, even in a folder name.
    EXPECT_EQ(FindMapExtension("/m.tvm/a.tvm"), 5);
}

TEST(SettingsPath, ReplacesTheLastLetterOfTheFirstExtension) {
    EXPECT_EQ(SettingsPathOf("C:\\MAPS\\A.TVM"), "C:\\MAPS\\A.TVh");
    EXPECT_EQ(SettingsPathOf("corners.tvm"), "corners.tvh");
    EXPECT_EQ(SettingsPathOf("C:\\X.TVM.DIR\\A.TVM"), "C:\\X.TVh.DIR\\A.TVM");
    EXPECT_EQ(SettingsPathOf("/maps/a.tvm.dir/a.tvm"), "/maps/a.tvh.dir/a.tvm");
}

TEST(SettingsPath, NeverEqualsTheMapPath) {
    EXPECT_EQ(SettingsPathOf("/maps/plain"), "/maps/plain.tvh");
    EXPECT_EQ(SettingsPathOf(".tvm"), ".tvm.tvh");
    EXPECT_EQ(SettingsPathOf("/maps/x.tvh"), "/maps/x.tvh.tvh");

    // Room for the path and its terminator only: a suffix does not fit, and
    // a cut settings path could name any file, so there is none.
    const std::string full(PathCapacity - 1, 'p');
    EXPECT_EQ(SettingsPathOf(full), "");
    EXPECT_EQ(SettingsPathOf(full.substr(0, PathCapacity - 5)),
              full.substr(0, PathCapacity - 5) + ".tvh");
    const std::string fullWithExtension = full.substr(0, PathCapacity - 5) + ".tvm";
    EXPECT_EQ(SettingsPathOf(fullWithExtension), full.substr(0, PathCapacity - 5) + ".tvh");
}

class MapChoice : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        corners = WriteTestFile("corners.tvm", "Corners,4,3,2,\n0,1,2,1/4/\n1,2,1/\n");
        flat = WriteTestFile("flat.tvm", "Flat,0,3,1,5,");
    }

    int Load(const std::string& argumentText) {
        arguments = argumentText;
        CommandLineText = arguments.c_str();
        return LoadMapFile();
    }

    std::string corners;
    std::string flat;
    std::string arguments;
};

TEST_F(MapChoice, LoadsTheMapNamedByTheArgumentTextWithoutTheDialog) {
    ASSERT_EQ(Load(corners), 1);
    EXPECT_TRUE(HeadlessLog().empty());
    EXPECT_EQ(std::string(MapPath), corners);
    EXPECT_EQ(std::string(SettingsPath), TemporaryFolder() + "/corners.tvh");
    EXPECT_STREQ(MapName, "Corners");
    EXPECT_EQ(PlayableCount, 8);

    const std::string shouting = WriteTestFile("LOUD.TvM", "Loud,2,1,1,2,");
    ASSERT_EQ(Load(shouting), 1);
    EXPECT_TRUE(HeadlessLog().empty());
    EXPECT_EQ(std::string(SettingsPath), TemporaryFolder() + "/LOUD.Tvh");
}

TEST_F(MapChoice, AsksWithTheDialogWhenTheArgumentsNameNoMap) {
    HeadlessAddDialogAnswer(corners);
    ASSERT_EQ(Load("--help"), 1);
    EXPECT_EQ(HeadlessLog(), Lines({"dialog  -> " + corners}));
    EXPECT_EQ(std::string(MapPath), corners);
    EXPECT_EQ(BoardWidth, 4);
}

TEST_F(MapChoice, EndsQuietlyWhenTheDialogIsCancelled) {
    HeadlessAddDialogCancel();
    EXPECT_EQ(Load(""), 0);
    EXPECT_EQ(HeadlessLog(), Lines({"dialog  -> cancel"}));
    EXPECT_EQ(BoardWidth, 0);
    EXPECT_EQ(PlayableCount, 0);
}

TEST_F(MapChoice, NamesAFileThatCannotBeOpenedThenAsksAgainFromIt) {
    const std::string missing = TemporaryFolder() + "/gone.tvm";
    HeadlessAddDialogCancel();
    EXPECT_EQ(Load(missing), 0);
    EXPECT_EQ(HeadlessLog(),
              Lines({"messagebox Cannot Open ! | " + missing, "dialog " + missing + " -> cancel"}));
    EXPECT_EQ(BoardWidth, 0);
}

TEST_F(MapChoice, SaysWhatIsWrongWithAMapThatCannotBePlayed) {
    HeadlessAddDialogAnswer(TemporaryFolder());
    HeadlessAddDialogAnswer(corners);
    ASSERT_EQ(Load(flat), 1);
    EXPECT_EQ(HeadlessLog(), Lines({"messagebox Cannot Open ! | " + flat +
                                        "\\nThe map is 0 cells wide; a map is 1 to 300 cells wide.",
                                    "dialog " + flat + " -> " + TemporaryFolder(),
                                    "messagebox Cannot Open ! | " + TemporaryFolder() +
                                        "\\nThis is a folder, not a file.",
                                    "dialog " + TemporaryFolder() + " -> " + corners}));
    EXPECT_STREQ(MapName, "Corners");
    EXPECT_EQ(std::string(SettingsPath), TemporaryFolder() + "/corners.tvh");
}

TEST_F(MapChoice, TakesTheWholeArgumentTextAsThePath) {
    // Blanks and words after the extension belong to the path, and so do
    // quotation marks; neither file exists here.
    for (const std::string& text : {corners + " extra", "\"" + corners + "\""}) {
        SCOPED_TRACE(text);
        HeadlessReset();
        HeadlessAddDialogCancel();
        EXPECT_EQ(Load(text), 0);
        EXPECT_EQ(HeadlessLog(),
                  Lines({"messagebox Cannot Open ! | " + text, "dialog " + text + " -> cancel"}));
    }

    // A folder name with blanks opens, since the shell has already removed
    // the quotation marks and the arguments are joined with single blanks.
    const std::string spaced = WriteTestFile("two words.tvm", "Spaced,2,1,1,2,");
    EXPECT_EQ(Load(spaced), 1);
    EXPECT_STREQ(MapName, "Spaced");
}

TEST_F(MapChoice, AcceptsAChosenFileWithoutTheExtension) {
    const std::string plain = WriteTestFile("plain map", "Plain,2,1,1,2,");
    HeadlessAddDialogAnswer(plain);
    ASSERT_EQ(Load(""), 1);
    EXPECT_EQ(std::string(MapPath), plain);
    EXPECT_EQ(std::string(SettingsPath), plain + ".tvh");
}

TEST_F(MapChoice, RefusesAnArgumentTextTooLongToBeAPath) {
    const std::string longText = "/" + std::string(PathCapacity, 'x') + ".tvm";
    HeadlessAddDialogCancel();
    EXPECT_EQ(Load(longText), 0);
    const std::string cut = longText.substr(0, PathCapacity - 1);
    EXPECT_EQ(HeadlessLog(),
              Lines({"messagebox Cannot Open ! | " + cut + "\\nThe path is too long.",
                     "dialog " + cut + " -> cancel"}));
}

}  // namespace
