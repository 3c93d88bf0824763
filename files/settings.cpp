// SPDX-License-Identifier: MIT

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "files/fields.h"
#include "files/map_file.h"
#include "files/ordinary_file.h"
#include "files/settings.h"
#include "state/options.h"

namespace {

namespace fs = std::filesystem;

// The words of the three option fields. A field reads as on when it is the
// "ON" word or any beginning of it, so "? OFF" is off but an empty or
// cut-short field is on.
constexpr const char* QuestionMarksOnWord = "? ON";
constexpr const char* QuestionMarksOffWord = "? OFF";
constexpr const char* SoundOnWord = "SOUND ON";
constexpr const char* SoundOffWord = "SOUND OFF";
constexpr const char* AnimationOnWord = "ANIMATION ON";
constexpr const char* AnimationOffWord = "ANIMATION OFF";

// Written first; it takes the settings file's place only once it is whole.
constexpr const char* TemporarySuffix = ".new";

void SetNoRecord() {
    HighScore = NoHighScore;
    CopyText(NobodysName, HighScoreName, HighScoreNameCapacity);
}

int32_t ReadOption(FILE* file, const char* onWord) {
    char text[FieldCapacity];
    ReadTextField(file, text, sizeof(text));
    return MatchesKeyword(text, onWord);
}

void ReadRecord(FILE* file) {
    int32_t best = 0;
    if (ReadNumberField(file, &best) != 0) {
        // The file ends before its best time: there is no record to keep.
        SetNoRecord();
        SpareText[0] = '\0';
        return;
    }
    // Times at or above the "nobody" value are no record either, and would
    // not fit the heads-up display.
    HighScore = best < NoHighScore ? best : NoHighScore;
    char text[FieldCapacity];
    ReadTextField(file, text, sizeof(text));
    CopyText(text, HighScoreName, HighScoreNameCapacity);
    text[0] = '\0';
    ReadTextField(file, text, sizeof(text));
    CopyText(text, SpareText, SpareTextCapacity);
}

bool WriteAllFields(FILE* file) {
    return WriteTextField(file,
                          QuestionMarksOn == 1 ? QuestionMarksOnWord : QuestionMarksOffWord) == 0 &&
           WriteTextField(file, SoundOn == 1 ? SoundOnWord : SoundOffWord) == 0 &&
           WriteTextField(file, AnimationOn == 1 ? AnimationOnWord : AnimationOffWord) == 0 &&
           WriteNumberField(file, HighScore) == 0 && WriteTextField(file, HighScoreName) == 0 &&
           WriteTextField(file, SpareText) == 0;
}

// Whether the settings file may be replaced: it is missing, or an ordinary
// file this user may write. A settings file made read-only stays as it is,
// and a folder or device of that name is never touched.
bool MayReplace(const fs::file_status& existing) {
    if (!fs::exists(existing))
        return true;
    if (!fs::is_regular_file(existing))
        return false;
    FILE* probe = std::fopen(SettingsPath, "r+");  // opens for writing, changes nothing
    if (probe == nullptr)
        return false;
    std::fclose(probe);
    return true;
}

constexpr uintmax_t LargestSettingsFileBytes = 1u << 20;

// A text editor may put a UTF-8 byte-order mark in front of a file it saves.
// It is not part of the first field: left in, it would turn question marks off.
void SkipByteOrderMark(FILE* file) {
    const int mark[3] = {0xEF, 0xBB, 0xBF};
    for (int i = 0; i < 3; ++i) {
        if (std::fgetc(file) != mark[i]) {
            std::rewind(file);
            return;
        }
    }
}

}  // namespace

int LoadSettings() {
    OpenedFile opened = OpenOrdinaryFile(SettingsPath);
    // The file holds six short fields. Anything of megabytes is not one of
    // ours, and reading its first field could take a long while.
    if (opened.outcome == OpenOutcome::Opened && opened.size > LargestSettingsFileBytes) {
        std::fclose(opened.file);
        opened.outcome = OpenOutcome::Unopenable;
    }
    if (opened.outcome != OpenOutcome::Opened) {
        QuestionMarksOn = 1;
        SoundOn = 1;
        AnimationOn = 1;
        SetNoRecord();
        return 1;
    }
    SkipByteOrderMark(opened.file);
    QuestionMarksOn = ReadOption(opened.file, QuestionMarksOnWord);
    SoundOn = ReadOption(opened.file, SoundOnWord);
    AnimationOn = ReadOption(opened.file, AnimationOnWord);
    ReadRecord(opened.file);
    std::fclose(opened.file);
    return 1;
}

int SaveSettings() {
    if (SettingsPath[0] == '\0')
        return 1;  // the map's path left no room for one
    std::error_code error;
    const fs::path target(SettingsPath);
    const fs::file_status existing = fs::status(target, error);
    if (!MayReplace(existing))
        return 1;

    // The old file stays until the new one is complete on disk, so a full
    // disk or a failing medium never costs the player their best time. A
    // leftover from an interrupted save is removed first; creating the
    // temporary file exclusively never writes through a link planted there.
    const fs::path temporary = std::string(SettingsPath) + TemporarySuffix;
    fs::remove(temporary, error);
    FILE* file = std::fopen(temporary.c_str(), "wx");
    if (file == nullptr)
        return 1;
    bool complete = WriteAllFields(file);
    complete = std::fflush(file) == 0 && complete;
    complete = std::fclose(file) == 0 && complete;
    if (complete && fs::exists(existing)) {
        fs::permissions(temporary, existing.permissions(), error);  // keep the player's choice
    }
    if (complete) {
        fs::rename(temporary, target, error);
        complete = !error;
    }
    if (!complete)
        fs::remove(temporary, error);
    return 1;
}

int WriteTextField(FILE* file, const char* text) {
    for (const char* c = text; *c != '\0'; ++c) {
        if (std::fputc(static_cast<unsigned char>(*c), file) == EOF)
            return -1;
    }
    return std::fputc(',', file) == EOF ? -1 : 0;
}

int WriteNumberField(FILE* file, int32_t value) {
    // Least significant digit first, then written the other way round; at
    // most 10 digits for a 32-bit value. A negative value has no place in
    // either file and is written as 0.
    char digits[10];
    int count = 0;
    uint32_t rest = value > 0 ? static_cast<uint32_t>(value) : 0;
    do {
        digits[count++] = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    while (count > 0) {
        if (std::fputc(digits[--count], file) == EOF)
            return -1;
    }
    return std::fputc(',', file) == EOF ? -1 : 0;
}
