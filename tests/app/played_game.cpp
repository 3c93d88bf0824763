#include "tests/app/played_game.h"

#include <filesystem>
#include <fstream>

#include "board/board.h"
#include "platform/headless/headless.h"
#include "sound/sound.h"
#include "tests/support/test_sounds.h"

void PlayedGameTest::SetUp() {
    GameTest::SetUp();
    // Tiny clips in place of the game's sounds, so every cue shows in the log
    // whatever the real clips are.
    for (int32_t slot = 0; slot < LoadedSlotCount; ++slot) {
        HeadlessAddResource(SoundResourceNames[slot], "WAVE", MakeTestWave(64));
    }
}

std::string PlayedGameTest::Folder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder =
        TemporaryFolder() + "/" + test->test_suite_name() + "." + test->name();
    std::filesystem::create_directories(folder);
    return folder;
}

std::string PlayedGameTest::WriteMap(const std::string& fileName, const std::string& text) {
    const std::string path = Folder() + "/" + fileName;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string PlayedGameTest::WriteSmallMap() {
    return WriteMap("small.tvm", "Small,6,5,3,30,");
}

void PlayedGameTest::Launch(const std::string& commandLine) {
    game = std::make_unique<ScriptedGame>(commandLine);
}

void PlayedGameTest::Play(const std::string& script) {
    ASSERT_NE(game, nullptr) << "Launch first";
    std::string error;
    ASSERT_TRUE(game->RunScript(script, &error)) << error;
}

void PlayedGameTest::Close() {
    std::string error;
    ASSERT_TRUE(game->Finish(&error)) << error;
}

void PlayedGameTest::AimAt(int x, int y) {
    const int dx = CellPixels * x + CellPixels / 2 - ViewX;
    const int dy = CellPixels * y + CellPixels / 2 - ViewY;
    Play("move " + std::to_string(dx) + " " + std::to_string(dy) + "\npass");
    ASSERT_EQ(ViewX / CellPixels, x);
    ASSERT_EQ(ViewY / CellPixels, y);
}

void PlayedGameTest::ClickCell(int x, int y, const std::string& button) {
    AimAt(x, y);
    Play("down " + button + "\npass\nup " + button + "\npass");
}

void PlayedGameTest::OpenEverySafeCell() {
    for (int x = 0; x < BoardWidth; ++x) {
        for (int y = 0; y < BoardHeight; ++y) {
            const int i = CellIndex(x, y);
            if (CellValue[i] != Mine && CoverState[i] == Hidden)
                ClickCell(x, y, "left");
        }
    }
}

void PlayedGameTest::FindCell(bool mine, int* x, int* y) {
    for (int cx = 0; cx < BoardWidth; ++cx) {
        for (int cy = 0; cy < BoardHeight; ++cy) {
            const int i = CellIndex(cx, cy);
            if (CoverState[i] == Hidden && (CellValue[i] == Mine) == mine) {
                *x = cx;
                *y = cy;
                return;
            }
        }
    }
    FAIL() << "no such cell";
}

void PlayedGameTest::InstallTestSheet() {
    constexpr uint32_t width = 640;
    constexpr uint32_t height = 460;
    std::vector<uint8_t> bytes(40 + 4 * 256 + width * height, 0);
    auto put = [&bytes](size_t at, uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put(0, 40, 4);  // info header size
    put(4, width, 4);
    put(8, height, 4);  // positive: rows stored bottom-up
    put(12, 1, 2);      // planes
    put(14, 8, 2);      // bits per pixel
    put(32, 256, 4);    // colours used
    for (uint32_t i = 0; i < 256; ++i) {
        put(40 + 4 * i, (i / 2) << 16 | (255 - i) << 8 | i, 4);  // blue, green, red
    }
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            bytes[40 + 4 * 256 + (height - 1 - y) * width + x] = static_cast<uint8_t>(x + y);
        }
    }
    HeadlessAddResource("BMP1", "BITMAP", std::move(bytes));
}

std::vector<std::string> PlayedGameTest::NewSounds() {
    std::vector<std::string> sounds;
    const std::vector<std::string>& log = HeadlessLog();
    for (; soundsSeen_ < log.size(); ++soundsSeen_) {
        if (log[soundsSeen_].rfind("sound ", 0) == 0)
            sounds.push_back(log[soundsSeen_]);
    }
    return sounds;
}
