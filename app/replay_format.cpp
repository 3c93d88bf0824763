// SPDX-License-Identifier: MIT
#include "app/replay_format.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "app/shell_state.h"
#include "board/board.h"
#include "board/clock.h"
#include "board/random.h"
#include "state/game_state.h"
#include "state/options.h"
#include "video/compose.h"

const char PassSymbols[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

namespace {

constexpr int32_t SymbolCount = sizeof(PassSymbols) - 1;  // 62
constexpr int32_t MovementZero = 30;                      // 'U'

int32_t SymbolValue(char symbol) {
    const char* at = std::strchr(PassSymbols, symbol);
    return symbol != '\0' && at != nullptr ? static_cast<int32_t>(at - PassSymbols) : -1;
}

void AppendValue(int64_t value, int64_t zero, std::string* text) {
    const int64_t index = value + zero;
    if (index >= 0 && index < SymbolCount) {
        *text += PassSymbols[index];
        return;
    }
    char number[32];
    std::snprintf(number, sizeof(number), "(%lld)", static_cast<long long>(value));
    *text += number;
}

// --- the state at the start of a game -------------------------------------------

struct NumberField {
    const char* name;
    int64_t (*get)();
    void (*set)(int64_t value);
    int64_t low;
    int64_t high;
};

constexpr int64_t Low32 = INT32_MIN;
constexpr int64_t High32 = INT32_MAX;
constexpr int64_t HighUnsigned = UINT32_MAX;

#define TORVEX_INT_FIELD(name, global, low, high)                                           \
    {                                                                                       \
        name, [] { return static_cast<int64_t>(global); },                                  \
            [](int64_t value) { global = static_cast<decltype(global)>(value); }, low, high \
    }

const NumberField NumberFields[] = {
    {"tick", [] { return static_cast<int64_t>(GetTickCount()); }, [](int64_t) {}, 0, HighUnsigned},
    {"random", [] { return static_cast<int64_t>(RandomState()); },
     [](int64_t value) { SeedRandom(static_cast<uint32_t>(value)); }, 0, HighUnsigned},
    TORVEX_INT_FIELD("frames", FrameCount, 0, HighUnsigned),
    TORVEX_INT_FIELD("active", AppActive, 0, 1),
    TORVEX_INT_FIELD("game", GameState, Title, NameEntry),
    TORVEX_INT_FIELD("left", LeftButton, Idle, Chording),
    TORVEX_INT_FIELD("right", RightButton, Idle, Chording),
    TORVEX_INT_FIELD("questions", QuestionMarksOn, 0, 1),
    TORVEX_INT_FIELD("sound", SoundOn, 0, 1),
    TORVEX_INT_FIELD("animation", AnimationOn, 0, 1),
    TORVEX_INT_FIELD("noguess", NoGuessOn, 0, 1),
    TORVEX_INT_FIELD("best", HighScore, 0, NoHighScore),
    TORVEX_INT_FIELD("last", LastTick, 0, HighUnsigned),
    TORVEX_INT_FIELD("starttick", StartTick, 0, HighUnsigned),
    TORVEX_INT_FIELD("endtick", EndTick, 0, HighUnsigned),
    TORVEX_INT_FIELD("face", FacePhase, Low32, High32),
    TORVEX_INT_FIELD("blinks", FaceBlinkCount, Low32, High32),
    TORVEX_INT_FIELD("blinkdelay", FaceBlinkDelay, Low32, High32),
    TORVEX_INT_FIELD("music", MusicCountdown, Low32, High32),
    TORVEX_INT_FIELD("voice", VoiceCountdown, Low32, High32),
    TORVEX_INT_FIELD("winvoice", WinVoiceCountdown, Low32, High32),
    TORVEX_INT_FIELD("pending", ResultPending, NoResult, WinPending),
    TORVEX_INT_FIELD("viewx", ViewX, Low32, High32),
    TORVEX_INT_FIELD("viewy", ViewY, Low32, High32),
    TORVEX_INT_FIELD("menux", MenuCursorX, Low32, High32),
    TORVEX_INT_FIELD("menuy", MenuCursorY, Low32, High32),
    TORVEX_INT_FIELD("scroll", TitleScroll, Low32, High32),
    TORVEX_INT_FIELD("row", SelectedRow, Low32, High32),
    TORVEX_INT_FIELD("column", SelectedColumn, Low32, High32),
    TORVEX_INT_FIELD("namelength", NameLength, 0, MaxNameLength),
    TORVEX_INT_FIELD("overview", Overview, 0, 1),
    TORVEX_INT_FIELD("travelx", TravelRemainderX, Low32, High32),
    TORVEX_INT_FIELD("travely", TravelRemainderY, Low32, High32),
};

#undef TORVEX_INT_FIELD

struct TextField {
    const char* name;
    char* buffer;
    size_t capacity;
};

const TextField TextFields[] = {
    {"name", HighScoreName, HighScoreNameCapacity},
    {"spare", SpareText, SpareTextCapacity},
};

constexpr size_t NumberFieldCount = sizeof(NumberFields) / sizeof(NumberFields[0]);
constexpr size_t TextFieldCount = sizeof(TextFields) / sizeof(TextFields[0]);

}  // namespace

bool ParseDecimal(const std::string& word, int64_t* value) {
    size_t i = word.size() > 0 && word[0] == '-' ? 1 : 0;
    if (i == word.size() || word.size() - i > 12)
        return false;
    int64_t result = 0;
    for (; i < word.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(word[i])))
            return false;
        result = result * 10 + (word[i] - '0');
    }
    *value = word[0] == '-' ? -result : result;
    return true;
}

// --- passes ---------------------------------------------------------------------

void AppendPassCode(const ReplayPass& pass, std::string* text) {
    AppendValue(pass.step, 0, text);
    AppendValue(pass.dx, MovementZero, text);
    AppendValue(pass.dy, MovementZero, text);
}

void AppendRepeatCode(uint32_t count, std::string* text) {
    char number[24];
    std::snprintf(number, sizeof(number), "[%u]", count);
    *text += number;
}

bool ParsePassCodes(const std::string& codes, std::vector<ReplayPass>* passes, std::string* error) {
    size_t at = 0;
    // One value: a symbol, or a decimal number in parentheses.
    const auto value = [&](int64_t zero, int64_t low, int64_t high, int64_t* result) {
        if (at >= codes.size()) {
            *error = "a pass needs three values";
            return false;
        }
        if (codes[at] == '(') {
            const size_t close = codes.find(')', at);
            if (close == std::string::npos ||
                !ParseDecimal(codes.substr(at + 1, close - at - 1), result)) {
                *error = "a value in parentheses must be a whole number";
                return false;
            }
            at = close + 1;
        } else {
            const int32_t index = SymbolValue(codes[at]);
            if (index < 0) {
                *error = std::string("\"") + codes[at] + "\" is not a pass symbol";
                return false;
            }
            *result = index - zero;
            ++at;
        }
        if (*result < low || *result > high) {
            *error = "a pass value is out of range";
            return false;
        }
        return true;
    };
    while (at < codes.size()) {
        if (codes[at] == '[') {
            const size_t close = codes.find(']', at);
            int64_t count = 0;
            if (passes->empty() || close == std::string::npos ||
                !ParseDecimal(codes.substr(at + 1, close - at - 1), &count) || count < 1 ||
                count > 100000000) {
                *error = "a repeat [N] needs a pass before it and N from 1 to 100000000";
                return false;
            }
            const ReplayPass repeated = passes->back();
            passes->insert(passes->end(), static_cast<size_t>(count), repeated);
            at = close + 1;
            continue;
        }
        int64_t step = 0;
        int64_t dx = 0;
        int64_t dy = 0;
        if (!value(0, 0, 3600000, &step) || !value(MovementZero, -1000000, 1000000, &dx) ||
            !value(MovementZero, -1000000, 1000000, &dy)) {
            return false;
        }
        passes->push_back(
            {static_cast<uint32_t>(step), static_cast<int32_t>(dx), static_cast<int32_t>(dy)});
    }
    return true;
}

// --- texts ------------------------------------------------------------------------

std::string EscapeReplayText(const std::string& text) {
    static const char Hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= ' ' || byte >= 0x7F || c == '#' || c == '%' || c == '=') {
            out += '%';
            out += Hex[byte >> 4];
            out += Hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

bool UnescapeReplayText(const std::string& text, std::string* plain) {
    plain->clear();
    const auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        return -1;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            *plain += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return false;
        const int high = digit(text[i + 1]);
        const int low = digit(text[i + 2]);
        if (high < 0 || low < 0)
            return false;
        *plain += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

// --- the map line -------------------------------------------------------------------

bool ParseReplayMapArguments(const std::vector<std::string>& words, ReplayMap* map,
                             std::string* error) {
    if (words.size() != 3) {
        *error = "replay takes a version, the map's SHA-256 and its path";
        return false;
    }
    map->version = words[0];
    map->hash = words[1];
    bool hex = map->hash.size() == 64;
    for (const char c : map->hash)
        hex = hex && std::isxdigit(static_cast<unsigned char>(c));
    if (!hex) {
        *error = "the map's SHA-256 must be 64 hexadecimal digits";
        return false;
    }
    for (char& c : map->hash)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!UnescapeReplayText(words[2], &map->path) || map->path.empty()) {
        *error = "the map's path is not written right";
        return false;
    }
    return true;
}

// --- the state -------------------------------------------------------------------------

std::string CaptureReplayState() {
    std::string text;
    for (const NumberField& field : NumberFields) {
        if (!text.empty())
            text += ' ';
        text += field.name;
        text += '=';
        text += std::to_string(field.get());
    }
    for (const TextField& field : TextFields) {
        text += ' ';
        text += field.name;
        text += '=';
        text += EscapeReplayText(field.buffer);
    }
    return text;
}

bool ParseReplayState(const std::vector<std::string>& words, std::vector<int64_t>* numbers,
                      std::vector<std::string>* texts, std::string* error) {
    numbers->assign(NumberFieldCount, 0);
    texts->assign(TextFieldCount, std::string());
    std::vector<bool> seen(NumberFieldCount + TextFieldCount, false);
    for (const std::string& word : words) {
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : word.substr(equals + 1);
        bool known = false;
        for (size_t i = 0; i < NumberFieldCount && equals != std::string::npos; ++i) {
            if (name != NumberFields[i].name)
                continue;
            known = true;
            int64_t number = 0;
            if (!ParseDecimal(value, &number) || number < NumberFields[i].low ||
                number > NumberFields[i].high) {
                *error = "state " + name + " needs a whole number from " +
                         std::to_string(NumberFields[i].low) + " to " +
                         std::to_string(NumberFields[i].high);
                return false;
            }
            (*numbers)[i] = number;
            seen[i] = true;
        }
        for (size_t i = 0; i < TextFieldCount && equals != std::string::npos; ++i) {
            if (name != TextFields[i].name)
                continue;
            known = true;
            std::string text;
            if (!UnescapeReplayText(value, &text) || text.size() >= TextFields[i].capacity ||
                text.find('\0') != std::string::npos) {
                *error = "state " + name + " is not a text that fits";
                return false;
            }
            (*texts)[i] = text;
            seen[NumberFieldCount + i] = true;
        }
        if (!known) {
            *error = "state has no \"" + word + "\"";
            return false;
        }
    }
    for (size_t i = 0; i < seen.size(); ++i) {
        if (!seen[i]) {
            *error = std::string("state lacks ") + (i < NumberFieldCount
                                                        ? NumberFields[i].name
                                                        : TextFields[i - NumberFieldCount].name);
            return false;
        }
    }
    return true;
}

void ApplyReplayState(const std::vector<int64_t>& numbers, const std::vector<std::string>& texts) {
    for (size_t i = 0; i < NumberFieldCount && i < numbers.size(); ++i)
        NumberFields[i].set(numbers[i]);
    for (size_t i = 0; i < TextFieldCount && i < texts.size(); ++i) {
        std::memcpy(TextFields[i].buffer, texts[i].c_str(), texts[i].size() + 1);
    }
}

uint32_t ReplayStateTick(const std::vector<int64_t>& numbers) {
    return numbers.empty() ? 0 : static_cast<uint32_t>(numbers[0]);
}

// --- messages -----------------------------------------------------------------------------

bool ParseReplayMessage(const std::vector<std::string>& words, Message* message,
                        std::string* error) {
    int64_t id = 0;
    int64_t wParam = 0;
    int64_t lParam = 0;
    if (words.size() != 3 || !ParseDecimal(words[0], &id) || !ParseDecimal(words[1], &wParam) ||
        !ParseDecimal(words[2], &lParam) || id < 0 || id > 0xFFFF || wParam < 0 ||
        wParam > HighUnsigned || lParam < Low32 || lParam > High32) {
        *error = "message takes three whole numbers: the message, WPARAM and LPARAM";
        return false;
    }
    message->window = nullptr;
    message->message = static_cast<uint32_t>(id);
    message->wParam = static_cast<WPARAM>(wParam);
    message->lParam = static_cast<LPARAM>(lParam);
    return true;
}
