// SPDX-License-Identifier: MIT
// The map chooser runs the desktop's file dialog as a child process with
// an argument list, and reads the chosen path from it; a notice with no
// game window to draw in goes to the same helpers, and falls back to
// standard error where no box can be shown. Helpers end with the game.
// Stand-in helpers on a private PATH record what they were given and
// answer as told.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/common/notice_text.h"
#include "platform/platform.h"
#include "platform/sdl/child_process.h"
#include "tests/platform/platform_test_support.h"

namespace {

class ChooserTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseVirtualDevices();
        char pattern[] = "/tmp/torvex-chooser-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        const char* path = std::getenv("PATH");
        savedPath = path != nullptr ? path : "";
        setenv("PATH", folder.c_str(), 1);  // only the stand-ins are found
    }
    void TearDown() override {
        setenv("PATH", savedPath.c_str(), 1);
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        unsetenv("DISPLAY");
        if (!savedFolder.empty())
            std::filesystem::current_path(savedFolder);
        std::filesystem::remove_all(folder);
    }

    // A stand-in chooser: writes the arguments it got to "arguments", one a
    // line, prints `answer` and exits with `status`.
    void MakeChooser(const std::string& name, const std::string& answer, int status) {
        const std::string script = folder + "/" + name;
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" << folder
                              << "/arguments'\nprintf '%s' '" << answer << "'\nexit " << status;
        chmod(script.c_str(), 0755);
    }

    // The arguments the last stand-in got (empty when none ran), taken away.
    std::vector<std::string> Arguments() {
        std::ifstream file(folder + "/arguments");
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        unlink((folder + "/arguments").c_str());
        return lines;
    }

    static bool Has(const std::vector<std::string>& arguments, const std::string& wanted) {
        return std::find(arguments.begin(), arguments.end(), wanted) != arguments.end();
    }

    // Runs the code under test in `place` as its current folder.
    void WorkIn(const std::string& place) {
        savedFolder = std::filesystem::current_path();
        std::filesystem::current_path(place);
    }

    std::string folder;
    std::string savedPath;
    std::filesystem::path savedFolder;
};

// The process number a helper wrote to `file`, waiting for it a while.
pid_t WaitForPid(const std::string& file) {
    for (int tries = 0; tries < 500; ++tries) {
        pid_t pid = 0;
        if (std::ifstream(file) >> pid)
            return pid;
        usleep(10000);
    }
    return 0;
}

// Alive, not merely a process that has ended and waits to be reaped.
bool Alive(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string number;
    std::string name;
    std::string state;
    if (!(stat >> number >> name >> state))
        return false;
    return state != "Z" && state != "X";
}

bool EndsWithin(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (Alive(pid)) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        usleep(20000);
    }
    return true;
}

TEST_F(ChooserTest, ZenityIsAskedForOneMapWithTheFilterAndThePreviousPathAsOneArgument) {
    MakeChooser("zenity", "/home/player/maps/Big Heart.TVM\n", 0);
    char path[260] = "my maps/$(touch hacked); old.tvm";
    ASSERT_EQ(GetOpenFileName(path, sizeof path), 1);
    EXPECT_STREQ(path, "/home/player/maps/Big Heart.TVM");

    const std::vector<std::string> arguments = Arguments();
    ASSERT_GE(arguments.size(), 3u);
    EXPECT_EQ(arguments[1], "--file-selection");
    EXPECT_TRUE(Has(arguments, "--file-filter=Torvex maps (*.tvm) | *.[tT][vV][mM]"))
        << "the filter matches .tvm in any letter case";
    EXPECT_TRUE(Has(arguments, "--filename=my maps/$(touch hacked); old.tvm"));
    EXPECT_NE(access((folder + "/hacked").c_str(), F_OK), 0) << "nothing was run by a shell";
    EXPECT_NE(access("hacked", F_OK), 0);
}

TEST_F(ChooserTest, WithoutAPreviousPathEitherChooserOpensInTheCurrentFolder) {
    // The launcher starts the game in the player's maps folder: that is
    // where the first dialog opens, not on a list of recent files. The
    // closing slash makes zenity open the folder instead of selecting it.
    const std::string maps = folder + "/my maps";
    ASSERT_EQ(mkdir(maps.c_str(), 0755), 0);
    WorkIn(maps);
    MakeChooser("zenity", "/m.tvm\n", 0);
    char empty[260] = "";
    ASSERT_EQ(GetOpenFileName(empty, sizeof empty), 1);
    std::vector<std::string> arguments = Arguments();
    EXPECT_TRUE(Has(arguments, "--filename=" + maps + "/"));
    EXPECT_EQ(std::count_if(arguments.begin(), arguments.end(),
                            [](const std::string& a) { return a.rfind("--filename", 0) == 0; }),
              1);

    unlink((folder + "/zenity").c_str());
    MakeChooser("kdialog", "/m.tvm\n", 0);
    char again[260] = "";
    ASSERT_EQ(GetOpenFileName(again, sizeof again), 1);
    arguments = Arguments();
    ASSERT_EQ(arguments.size(), 6u);
    EXPECT_EQ(arguments[3], "--getopenfilename");
    EXPECT_EQ(arguments[4], maps + "/");
    rmdir(maps.c_str());
}

TEST_F(ChooserTest, ACancelLeavesThePathAloneAndAPathThatDoesNotFitIsNamedNotOpened) {
    MakeChooser("zenity", "", 1);
    char kept[16] = "/maps/kept.tvm";
    EXPECT_EQ(GetOpenFileName(kept, sizeof kept), 0);
    EXPECT_STREQ(kept, "/maps/kept.tvm");

    // Too long for the game's path: as much of it as fits, for the notice
    // that names it, and an answer that is neither a map nor a cancel.
    MakeChooser("zenity", "/a/rather/long/path/to/a/map.tvm\n", 0);
    char cut[16] = "/maps/kept.tvm";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(GetOpenFileName(cut, sizeof cut), PathTooLong);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_STREQ(cut, "/a/rather/long/");
    EXPECT_NE(said.find("/a/rather/long/path/to/a/map.tvm"), std::string::npos) << said;
}

TEST_F(ChooserTest, KdialogStandsInWhereZenityIsMissing) {
    MakeChooser("kdialog", "/maps/k.tvm\n", 0);
    char path[260] = "/maps/previous.tvm";
    ASSERT_EQ(GetOpenFileName(path, sizeof path), 1);
    EXPECT_STREQ(path, "/maps/k.tvm");
    const std::vector<std::string> arguments = Arguments();
    ASSERT_EQ(arguments.size(), 6u);
    EXPECT_EQ(arguments[3], "--getopenfilename");
    EXPECT_EQ(arguments[4], "/maps/previous.tvm");
    for (const char* pattern : {"*.tvm", "*.TVM", "*.tVm"})
        EXPECT_NE(arguments[5].find(pattern), std::string::npos) << pattern;
}

TEST_F(ChooserTest, WithoutAChooserOrABoxThePlayerIsToldOnStandardError) {
    char path[260] = "";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(GetOpenFileName(path, sizeof path), 0);
    MessageBox(nullptr, "bgm2", "FALSE");
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("torvex: Torvex needs zenity or kdialog to choose a map. Install one, or "
                        "start torvex with a map file.\n"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("FALSE: bgm2"), std::string::npos) << said;
}

TEST_F(ChooserTest, NoticesBeforeTheWindowAreShownByTheHelperWithTheirTextAsItIs) {
    // On a desktop, a notice with no game window to draw in goes to zenity
    // (or kdialog), run by the game itself; markup in a path stays text.
    setenv("DISPLAY", ":99", 1);
    MakeChooser("zenity", "", 0);
    ::testing::internal::CaptureStderr();
    MessageBox(nullptr, "/maps/<b>bold</b> & co.tvm\nThe file does not exist.", "Cannot Open !");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << "shown and closed with OK";
    std::vector<std::string> arguments = Arguments();
    EXPECT_EQ(arguments[1], "--info");
    EXPECT_TRUE(Has(arguments, "--no-markup"));
    EXPECT_TRUE(Has(arguments, "--title=Cannot Open !"));
    EXPECT_TRUE(Has(arguments, "--text=/maps/<b>bold</b> & co.tvm"));  // the first line
    EXPECT_TRUE(Has(arguments, "The file does not exist."));

    unlink((folder + "/zenity").c_str());
    MakeChooser("kdialog", "", 0);
    MessageBox(nullptr, "bgm2", "FALSE");
    EXPECT_EQ(Arguments(), std::vector<std::string>(
                               {folder + "/kdialog", "--title", "FALSE", "--msgbox", "bgm2"}));
}

TEST_F(ChooserTest, AVeryLongPathIsShortenedOnScreenAndWrittenOutWhole) {
    setenv("DISPLAY", ":99", 1);
    const std::string path = "/home/player/" + std::string(3000, 'd') + "/far away.tvm";
    const std::string text = path + "\nThe file does not exist.";
    MakeChooser("zenity", "", 0);
    MessageBox(nullptr, text.c_str(), "Cannot Open !");
    EXPECT_TRUE(Has(Arguments(), "--text=" + ShortenLongLines(path)))
        << "the box gets the shortened path";
    EXPECT_LT(ShortenLongLines(path).size(), 300u);

    // Closed some other way than with OK (or the helper failed): the whole
    // notice goes to standard error as well.
    MakeChooser("zenity", "", 1);
    ::testing::internal::CaptureStderr();
    MessageBox(nullptr, text.c_str(), "Cannot Open !");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "torvex: Cannot Open !: " + text + "\n");
}

TEST_F(ChooserTest, WithNoDisplayTheDialogIsNotTriedAndThePlayerIsTold) {
    // No desktop and no video driver asked for: SDL would fall back to a
    // display nobody sees. The chooser is not run at all.
    unsetenv("SDL_VIDEODRIVER");
    MakeChooser("zenity", "/m.tvm\n", 0);
    char path[260] = "";
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(GetOpenFileName(path, sizeof path), 0);
    // (What SDL's display libraries say as they look may come before it.)
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("torvex: no display found (is DISPLAY or WAYLAND_DISPLAY set?)\n"),
              std::string::npos)
        << said;
    EXPECT_TRUE(Arguments().empty()) << "the chooser ran";

    // Asked for by name, the dummy display is meant: the dialog runs.
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    ASSERT_EQ(GetOpenFileName(path, sizeof path), 1);
    EXPECT_STREQ(path, "/m.tvm");
}

// A helper window that lives on after the game would sit on the player's
// desktop with nobody to answer it. The game here is a child process that
// opens a dialog or a notice and is then killed outright.
TEST_F(ChooserTest, HelperWindowsEndWithTheGameHoweverItEnds) {
    setenv("DISPLAY", ":99", 1);
    const std::string pidFile = folder + "/helper.pid";
    const std::string helper = folder + "/zenity";
    std::ofstream(helper) << "#!/bin/sh\necho $$ > '" << pidFile << ".new'\n/bin/mv '" << pidFile
                          << ".new' '" << pidFile << "'\nexec /bin/sleep 60\n";
    chmod(helper.c_str(), 0755);
    // The last is a child forked as SDL forks its own boxes' children.
    enum class ShownBy { Dialog, Notice, PlainFork };
    for (const ShownBy shownBy : {ShownBy::Dialog, ShownBy::Notice, ShownBy::PlainFork}) {
        SCOPED_TRACE(static_cast<int>(shownBy));
        unlink(pidFile.c_str());
        const pid_t game = fork();
        ASSERT_GE(game, 0);
        if (game == 0) {
            char path[260] = "";
            if (shownBy == ShownBy::Dialog) {
                GetOpenFileName(path, sizeof path);
            } else if (shownBy == ShownBy::Notice) {
                MessageBox(nullptr, "bgm2", "FALSE");
            } else if (fork() == 0) {
                execl(helper.c_str(), "zenity", static_cast<char*>(nullptr));
                _exit(127);
            } else {
                pause();
            }
            _exit(0);
        }
        const pid_t shown = WaitForPid(pidFile);
        ASSERT_GT(shown, 0) << "the helper never started";
        EXPECT_TRUE(Alive(shown));
        kill(game, SIGKILL);
        waitpid(game, nullptr, 0);
        EXPECT_TRUE(EndsWithin(shown, std::chrono::seconds(10))) << "the helper outlived the game";
        if (Alive(shown))
            kill(shown, SIGKILL);
    }
}

TEST(ChildProcess, OutputBeyondTheLimitIsCutAndTheChildStillWaitedFor) {
    const std::string shell = FindProgram("sh");
    ASSERT_FALSE(shell.empty());
    const ChildResult flood = RunChild(shell, {"sh", "-c", "yes | head -c 200000; exit 3"});
    EXPECT_TRUE(flood.started);
    EXPECT_EQ(flood.output.size(), ChildOutputLimit);
    EXPECT_EQ(flood.exitStatus, 3);
}

}  // namespace
