// SPDX-License-Identifier: MIT
// Everything a player can hand the game at start-up, done badly: argument
// texts of any length and bytes, paths that name folders, pipes, links and
// unreadable, empty or junk files. Each must end in a notice that names the
// path and says what is wrong, then the open dialog, never in a crash or a
// hang; and a file that is refused is never changed.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "board/board.h"
#include "files/map_file.h"
#include "platform/headless/headless.h"
#include "state/game_state.h"
#include "tests/hardening/hardened_game.h"
#include "tests/hardening/permissions.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const char* const Caption = "Cannot Open ! | ";

// How the headless log shows a notice's text: line breaks as \n.
std::string Shown(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown;
}

class InputPaths : public HardenedGameTest {
  protected:
    // Starts with `path` as the argument text, cancels the dialog that must
    // follow its refusal, and returns the one notice shown.
    std::string RefusalOf(const std::string& path) {
        const std::string before = ContentsOrKind(path);
        Start(path);
        EXPECT_FALSE(game->Running());
        EXPECT_EQ(game->ExitCode(), 0);
        EXPECT_EQ(HeadlessLog().back(), "dialog " + Shown(path) + " -> cancel");
        EXPECT_EQ(ContentsOrKind(path), before) << "a refused file was changed";
        const Lines notices = Notices();
        EXPECT_EQ(notices.size(), 1u);
        return notices.empty() ? "" : notices[0];
    }

    // A file's bytes, or what kind of thing the path names.
    static std::string ContentsOrKind(const std::string& path) {
        std::error_code error;
        const fs::file_status status = fs::symlink_status(path, error);
        if (fs::is_symlink(status))
            return "link to " + fs::read_symlink(path, error).string();
        if (fs::is_regular_file(status))
            return ReadWholeFile(path);
        return fs::exists(status) ? "not a file" : "<missing>";
    }
};

TEST_F(InputPaths, ArgumentTextsOfAnyLengthAndBytesEndInTheDialog) {
    // Random texts of every awkward length, with and without the extension
    // at their end: none names an existing file, so each either goes
    // straight to the dialog or is named in a notice first.
    std::mt19937 random(7);
    const std::vector<size_t> lengths = {0,
                                         1,
                                         4,
                                         5,
                                         6,
                                         254,
                                         255,
                                         256,
                                         257,
                                         PathCapacity - 2,
                                         PathCapacity - 1,
                                         PathCapacity,
                                         PathCapacity + 1,
                                         1u << 20};
    for (const size_t length : lengths) {
        for (const bool withExtension : {false, true}) {
            SCOPED_TRACE(std::to_string(length) + (withExtension ? " with .tvm" : ""));
            HeadlessReset();
            std::string text(length, ' ');
            for (char& c : text)
                c = static_cast<char>(1 + random() % 255);  // any byte but the terminator
            if (withExtension && length >= 4)
                text.replace(length - 4, 4, ".tvm");
            Start(text);
            EXPECT_EQ(game->ExitCode(), 0);
            EXPECT_FALSE(game->Running());
            const Lines notices = Notices();
            ASSERT_LE(notices.size(), 1u);
            if (FindMapExtension(text.c_str()) < 0) {
                EXPECT_TRUE(notices.empty());
            } else {
                ASSERT_EQ(notices.size(), 1u);
                // Most such texts name nothing at all; a part of one longer
                // than a file name may be cannot even be looked for.
                std::error_code error;
                const bool nothingThere =
                    fs::status(text, error).type() == fs::file_type::not_found;
                const std::string expected =
                    text.size() < PathCapacity
                        ? Shown(text) + (nothingThere ? "\\nThe file does not exist." : "")
                        : Shown(text.substr(0, PathCapacity - 1)) + "\\nThe path is too long.";
                EXPECT_EQ(notices[0], Caption + expected);
            }
            EXPECT_EQ(HeadlessLog().back().substr(0, 7), "dialog ");
        }
    }
}

TEST_F(InputPaths, TheNoticeShowsTheArgumentTextExactlyAsGiven) {
    // Texts that would mean something to a formatting function or a
    // terminal are shown as they are, and never taken for anything else.
    for (const std::string text : {"%s%n%x%p.tvm", "\x1b[2J\x07.tvm", "line one\nline two.tvm",
                                   "\t\r.tvm  ", "..tvm", "/.tvm", "~/no such.TVM"}) {
        SCOPED_TRACE(Shown(text));
        HeadlessReset();
        EXPECT_EQ(RefusalOf(text), Caption + Shown(text) + "\\nThe file does not exist.");
    }
}

TEST_F(InputPaths, AnyBytesInAFileNameAreAPathLikeAnyOther) {
    // Names in another script, or not valid text in any encoding at all,
    // load like any other name, and their settings file lies beside them.
    for (const std::string name :
         {"карта.tvm", "\xff\xfe\x80 junk.tvm", "map.tvm.TVM", "-rf.tvm", " leading blank.tvm"}) {
        SCOPED_TRACE(Shown(name));
        HeadlessReset();
        ResetGame();
        const std::string map = WriteSmallMap(name);
        Start(map);
        ASSERT_TRUE(game->Running());
        EXPECT_TRUE(Notices().empty());
        EXPECT_STREQ(MapName, "Small");
        Close();
        EXPECT_EQ(game->ExitCode(), 1);
        EXPECT_EQ(ReadWholeFile(SettingsPath), "? ON,SOUND ON,ANIMATION ON,999999,NO NAME,,");
        const std::string settings = SettingsPath;
        EXPECT_EQ(settings.substr(0, TestFolder().size()), TestFolder());
        EXPECT_EQ(ReadWholeFile(map), "Small,6,5,3,30,");
    }
}

TEST_F(InputPaths, AMapPathThatIsNotAFileIsNamedWithWhatItIs) {
    const std::string folder = TestFolder() + "/folder.tvm";
    fs::create_directory(folder);
    EXPECT_EQ(RefusalOf(folder), Caption + folder + "\\nThis is a folder, not a file.");

    // Opening a pipe for reading would wait for a writer that never comes.
    HeadlessReset();
    const std::string pipe = TestFolder() + "/pipe.tvm";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(RefusalOf(pipe), Caption + pipe + "\\nThis is a device or a pipe, not a file.");

    // A link to a device is judged by what it leads to.
    HeadlessReset();
    const std::string device = TestFolder() + "/zero.tvm";
    fs::create_symlink("/dev/zero", device);
    EXPECT_EQ(RefusalOf(device), Caption + device + "\\nThis is a device or a pipe, not a file.");
}

TEST_F(InputPaths, AMapPathThatLeadsNowhereSaysTheFileDoesNotExist) {
    // A missing file, a link to nothing, and a path through a file: nothing
    // is there, and the notice says so under the path.
    const std::string missing = TestFolder() + "/missing.tvm";
    EXPECT_EQ(RefusalOf(missing), Caption + missing + "\\nThe file does not exist.");

    HeadlessReset();
    const std::string dangling = TestFolder() + "/dangling.tvm";
    fs::create_symlink(TestFolder() + "/nothing", dangling);
    EXPECT_EQ(RefusalOf(dangling), Caption + dangling + "\\nThe file does not exist.");

    HeadlessReset();
    const std::string underAFile = WriteSmallMap() + "/inside.tvm";
    EXPECT_EQ(RefusalOf(underAFile), Caption + underAFile + "\\nThe file does not exist.");

    // A link to itself is there but can never be opened: the path alone.
    HeadlessReset();
    const std::string loop = TestFolder() + "/loop.tvm";
    fs::create_symlink(loop, loop);
    EXPECT_EQ(RefusalOf(loop), Caption + loop);
}

TEST_F(InputPaths, AnUnreadableMapIsNamedAndLeftAlone) {
    PermissionsEnforced enforced;
    if (!enforced.Holds())
        GTEST_SKIP() << "this process reads every file whatever its mode";
    const std::string map = WriteSmallMap();
    fs::permissions(map, fs::perms::none);
    EXPECT_EQ(RefusalOf(map), Caption + map);
    EXPECT_EQ(fs::status(map).permissions(), fs::perms::none);

    // A readable map in a folder that may not be searched cannot be reached.
    HeadlessReset();
    const std::string folder = TestFolder() + "/locked";
    fs::create_directory(folder);
    const std::string inside = folder + "/small.tvm";
    fs::copy_file(WriteSmallMap("copy.tvm"), inside);
    fs::permissions(folder, fs::perms::owner_read);
    EXPECT_EQ(RefusalOf(inside), Caption + inside);
}

TEST_F(InputPaths, EmptyAndJunkMapsAreRefusedWithAReason) {
    const std::string empty = WriteTestFile("empty.tvm", "");
    EXPECT_EQ(RefusalOf(empty),
              Caption + empty +
                  "\\nThe file ends before the map's name, width, height and number of mines.");

    // Pictures, programs and random bytes handed over as maps. Whatever the
    // bytes, the game either refuses them with a reason or has a board it
    // can play; these happen to be refused.
    std::mt19937 random(11);
    std::string noise(1 << 16, '\0');
    for (char& c : noise)
        c = static_cast<char>(random());
    const std::vector<std::pair<std::string, std::string>> junk = {
        {"noise.tvm", noise},
        {"picture.tvm", std::string("BM\x36\x00\x0c\x00\x00\x00\x00\x00\x36\x00\x00\x00", 14) +
                            std::string(4096, '\xff')},
        {"program.tvm", std::string("\x7f"
                                    "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
                                    16) +
                            std::string(100000, '\0')},
        {"nothing but commas.tvm", std::string(50000, ',')},
        {"text.tvm", "This is a letter, not a map.\nYours, Nobody\n"},
    };
    for (const auto& [name, bytes] : junk) {
        SCOPED_TRACE(name);
        HeadlessReset();
        const std::string path = WriteTestFile(name, bytes);
        const std::string notice = RefusalOf(path);
        EXPECT_EQ(notice.substr(0, std::string(Caption).size() + path.size() + 2),
                  Caption + path + "\\n");
        EXPECT_GT(notice.size(), std::string(Caption).size() + path.size() + 10)
            << "the notice says what is wrong";
    }
}

TEST_F(InputPaths, ARefusedMapLeavesTheGameFreeToChooseAnother) {
    // After each refusal the dialog starts from the refused path, and the
    // map finally chosen is played as if nothing had happened.
    const std::string folder = TestFolder();
    const std::string empty = WriteTestFile("empty.tvm", "");
    const std::string good = WriteSmallMap();
    Start(folder + "/missing.tvm", {folder, empty, good});
    ASSERT_TRUE(game->Running());
    EXPECT_EQ(Notices().size(), 3u);
    EXPECT_EQ(std::string(MapPath), good);
    EXPECT_EQ(BoardWidth, 6);
    EXPECT_EQ(PlayableCount, 30);
    Play("key F1\npass\nclick left\npass 3");
    EXPECT_EQ(GameState, Playing);
    Close();
    EXPECT_EQ(game->ExitCode(), 1);
}

}  // namespace

namespace {

TEST_F(InputPaths, AFileFarTooLargeToBeAMapIsRefusedWithoutReadingIt) {
    // 65 MB of nothing (a sparse file): reading it would keep the player
    // waiting; it is refused from its size alone.
    const std::string huge = WriteTestFile("huge.tvm", "Huge,2,1,0,2,");
    fs::resize_file(huge, (64u << 20) + 1);
    EXPECT_EQ(RefusalOf(huge), Caption + huge + "\\nThe file is far too large to be a map.");
}

}  // namespace
