// SPDX-License-Identifier: MIT
// The map chooser runs the desktop's file dialog as a child process with
// an argument list, and reads the chosen path from it; the notice falls back
// to standard error where no box can be shown. Stand-in choosers on a
// private PATH record what they were given and answer as told.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

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
        for (const char* name : {"zenity", "kdialog", "arguments"})
            unlink((folder + "/" + name).c_str());
        rmdir(folder.c_str());
    }

    // A stand-in chooser: writes the arguments it got to "arguments", one a
    // line, prints `answer` and exits with `status`.
    void MakeChooser(const std::string& name, const std::string& answer, int status) {
        const std::string script = folder + "/" + name;
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$0\" \"$@\" > '" << folder
                              << "/arguments'\nprintf '%s' '" << answer << "'\nexit " << status;
        chmod(script.c_str(), 0755);
    }

    std::vector<std::string> Arguments() {
        std::ifstream file(folder + "/arguments");
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);)
            lines.push_back(line);
        return lines;
    }

    std::string folder;
    std::string savedPath;
};

TEST_F(ChooserTest, ZenityIsAskedForOneMapWithTheFilterAndThePreviousPathAsOneArgument) {
    MakeChooser("zenity", "/home/player/maps/Big Heart.TVM\n", 0);
    char path[260] = "my maps/$(touch hacked); old.tvm";
    ASSERT_EQ(GetOpenFileName(path, sizeof path), 1);
    EXPECT_STREQ(path, "/home/player/maps/Big Heart.TVM");

    const std::vector<std::string> arguments = Arguments();
    ASSERT_GE(arguments.size(), 3u);
    EXPECT_EQ(arguments[1], "--file-selection");
    auto has = [&](const std::string& wanted) {
        return std::find(arguments.begin(), arguments.end(), wanted) != arguments.end();
    };
    EXPECT_TRUE(has("--file-filter=Torvex maps (*.tvm) | *.[tT][vV][mM]"))
        << "the filter matches .tvm in any letter case";
    EXPECT_TRUE(has("--filename=my maps/$(touch hacked); old.tvm"));
    EXPECT_NE(access((folder + "/hacked").c_str(), F_OK), 0) << "nothing was run by a shell";
    EXPECT_NE(access("hacked", F_OK), 0);

    char empty[260] = "";
    ASSERT_EQ(GetOpenFileName(empty, sizeof empty), 1);
    for (const std::string& argument : Arguments())
        EXPECT_EQ(argument.rfind("--filename", 0), std::string::npos) << argument;
}

TEST_F(ChooserTest, ACancelOrAPathThatDoesNotFitLeavesThePathAlone) {
    const struct {
        const char* answer;
        int status;
    } refusals[] = {{"", 1}, {"/a/rather/long/path/to/a/map.tvm\n", 0}};
    for (const auto& refusal : refusals) {
        MakeChooser("zenity", refusal.answer, refusal.status);
        char path[16] = "/maps/kept.tvm";
        EXPECT_EQ(GetOpenFileName(path, sizeof path), 0) << refusal.answer;
        EXPECT_STREQ(path, "/maps/kept.tvm");
    }
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
    EXPECT_NE(said.find("zenity"), std::string::npos) << said;
    EXPECT_NE(said.find("FALSE: bgm2"), std::string::npos) << said;
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
