// SPDX-License-Identifier: MIT
#include "tools/runner/state_dump.h"

#include <cstdio>
#include <fstream>
#include <vector>

#include "app/shell_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "files/map_file.h"
#include "state/game_state.h"
#include "state/options.h"
#include "video/compose.h"

namespace {

class JsonObject {
  public:
    void Number(const char* key, int64_t value) { Raw(key, std::to_string(value)); }
    void Text(const char* key, const char* value) { Raw(key, JsonString(value)); }

    void Rows(const char* key, const std::vector<std::string>& rows) {
        std::string array = "[";
        for (size_t i = 0; i < rows.size(); ++i) {
            array += i == 0 ? "\n    " : ",\n    ";
            array += JsonString(rows[i].c_str());
        }
        array += rows.empty() ? "]" : "\n  ]";
        Raw(key, array);
    }

    std::string Finish() const { return body_ + "\n}"; }

  private:
    std::string body_ = "{";
    bool first_ = true;

    void Raw(const char* key, const std::string& value) {
        body_ += first_ ? "\n  " : ",\n  ";
        first_ = false;
        body_ += JsonString(key);
        body_ += ": ";
        body_ += value;
    }
};

char CellValueLetter(int8_t value) {
    if (value == Mine)
        return 'M';
    if (value >= 0 && value <= 8)
        return static_cast<char>('0' + value);
    return '?';  // never produced by the game; kept visible if it ever is
}

char CoverStateLetter(CoverStates cover) {
    switch (cover) {
        case Hidden:
            return 'H';
        case Open:
            return 'O';
        case Flagged:
            return 'F';
        case Questioned:
            return '?';
        default:
            return ' ';
    }
}

template <typename Cell>
std::vector<std::string> LayerRows(const Cell* layer, char (*letter)(Cell)) {
    std::vector<std::string> rows;
    for (int32_t y = 0; y < BoardHeight && y < MaxBoardSide; ++y) {
        std::string row;
        for (int32_t x = 0; x < BoardWidth && x < MaxBoardSide; ++x) {
            row += letter(layer[CellIndex(x, y)]);
        }
        rows.push_back(row);
    }
    return rows;
}

}  // namespace

std::string JsonString(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c != '\0'; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\') {
            out += '\\';
            out += static_cast<char>(byte);
        } else if (byte < 0x20 || byte >= 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof(escaped), "\\u%04x", byte);
            out += escaped;
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out + "\"";
}

std::string GameStateJson() {
    JsonObject json;
    json.Number("GameState", GameState);
    json.Number("BoardWidth", BoardWidth);
    json.Number("BoardHeight", BoardHeight);
    json.Number("MineCount", MineCount);
    json.Number("PlayableCount", PlayableCount);
    json.Number("CoveredCount", CoveredCount);
    json.Number("MinesLeft", MinesLeft);
    json.Number("ViewX", ViewX);
    json.Number("ViewY", ViewY);
    json.Number("FirstClick", FirstClick);
    json.Number("ResultPending", ResultPending);
    json.Number("LeftButton", LeftButton);
    json.Number("RightButton", RightButton);
    json.Number("Overview", Overview);
    json.Number("StartTick", StartTick);
    json.Number("EndTick", EndTick);
    json.Number("LastTick", LastTick);
    json.Number("FacePhase", FacePhase);
    json.Number("FaceBlinkCount", FaceBlinkCount);
    json.Number("FaceBlinkDelay", FaceBlinkDelay);
    json.Number("MusicCountdown", MusicCountdown);
    json.Number("VoiceCountdown", VoiceCountdown);
    json.Number("WinVoiceCountdown", WinVoiceCountdown);
    json.Number("MenuCursorX", MenuCursorX);
    json.Number("MenuCursorY", MenuCursorY);
    json.Number("SelectedRow", SelectedRow);
    json.Number("SelectedColumn", SelectedColumn);
    json.Number("TitleScroll", TitleScroll);
    json.Number("NameLength", NameLength);
    json.Number("AppActive", AppActive);
    json.Number("FrameCount", FrameCount);
    json.Number("QuestionMarksOn", QuestionMarksOn);
    json.Number("SoundOn", SoundOn);
    json.Number("AnimationOn", AnimationOn);
    json.Number("HighScore", HighScore);
    json.Text("HighScoreName", HighScoreName);
    json.Text("SpareText", SpareText);
    json.Text("MapName", MapName);
    json.Text("MapPath", MapPath);
    json.Text("SettingsPath", SettingsPath);
    json.Number("Tick", GetTickCount());
    json.Rows("CellValue", LayerRows(CellValue, CellValueLetter));
    json.Rows("CoverState", LayerRows(CoverState, CoverStateLetter));
    return json.Finish();
}

bool WriteGameStateJson(const std::string& path) {
    std::ofstream file(path, std::ios::binary);
    if (!file)
        return false;
    file << GameStateJson() << '\n';
    file.close();
    return !file.fail();
}
