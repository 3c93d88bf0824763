// SPDX-License-Identifier: MIT

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "files/data_folder.h"
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

// The end of a settings file's name, and how much of the name a file in the
// player's own folder keeps (names may have 255 bytes at most).
constexpr const char* SettingsExtension = ".tvh";
constexpr size_t FallbackNameLength = 200;

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

// What became of one attempt to save into one path.
enum class SaveResult {
    Saved,
    Refused,         // nothing may be written there: read-only, not a file, a dangling link
    FolderReadOnly,  // nothing is there yet, and its folder takes no new file
    Failed,          // a write, the flush or the rename failed; the old file stays
};

bool NothingAt(const std::string& path) {
    struct stat info;
    return lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

bool SameFile(const std::string& a, const char* b) {
    struct stat first, second;
    return b[0] != '\0' && stat(a.c_str(), &first) == 0 && stat(b, &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Whether an existing settings file may be replaced. A file whose mode gives
// nobody the right to write it was made read-only on purpose, and stays as it
// is even for the superuser, whom the system would let write anything. For
// everyone else the system decides as well (the write bit of the owner, the
// group or the others, whichever applies to this user, or a read-only
// medium); opening for writing, without truncating, changes nothing.
bool MayReplace(const std::string& path, const struct stat& info) {
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return false;
    FILE* probe = std::fopen(path.c_str(), "r+");
    if (probe == nullptr)
        return false;
    std::fclose(probe);
    return true;
}

// Creates the temporary file beside `target`, exclusively, so nothing that
// stands there already is ever written through. `<target>.new` is the first
// choice; a plain file of this user under that name is what an interrupted
// save of ours left, and is removed. Anything else there (a folder, a link,
// someone else's file) is not ours: it stays, and another name is taken.
int CreateTemporary(const std::string& target, std::string* temporary) {
    const std::string first = target + TemporarySuffix;
    struct stat there;
    if (lstat(first.c_str(), &there) == 0 && S_ISREG(there.st_mode) && there.st_uid == geteuid())
        unlink(first.c_str());
    for (int attempt = 0; attempt < 100; ++attempt) {
        *temporary = attempt == 0
                         ? first
                         : first + "-" + std::to_string(getpid()) + "-" + std::to_string(attempt);
        const int descriptor =
            open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

// Whether the bytes of `descriptor` reached the disk. A file system that
// cannot be asked (EINVAL) is taken at its word.
bool Synced(int descriptor) {
    return fsync(descriptor) == 0 || errno == EINVAL;
}

void SyncFolderOf(const std::string& path) {
    const std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    fsync(descriptor);
    close(descriptor);
}

// Writes the settings into `path`: a new file beside it, complete and on the
// disk before it takes the old one's place, so that a full disk, a failing
// medium or a power cut never costs the player their best time. A link is
// written through: the file it leads to is replaced and the link stays.
SaveResult SaveInto(const std::string& path) {
    std::string target = path;
    struct stat info;
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char* resolved = realpath(path.c_str(), nullptr);
        if (resolved == nullptr)
            return SaveResult::Refused;  // it leads nowhere
        target = resolved;
        std::free(resolved);
        // The map itself is never written over.
        if (SameFile(target, MapPath))
            return SaveResult::Refused;
    }
    const bool exists = stat(target.c_str(), &info) == 0;
    if (exists && (!S_ISREG(info.st_mode) || !MayReplace(target, info)))
        return SaveResult::Refused;  // a folder, a device, a pipe, or made read-only

    std::string temporary;
    const int descriptor = CreateTemporary(target, &temporary);
    if (descriptor < 0) {
        const bool readOnly = errno == EACCES || errno == EPERM || errno == EROFS;
        return readOnly && !exists ? SaveResult::FolderReadOnly : SaveResult::Failed;
    }
    FILE* file = fdopen(descriptor, "w");
    if (file == nullptr) {
        close(descriptor);
        unlink(temporary.c_str());
        return SaveResult::Failed;
    }
    bool complete = WriteAllFields(file);
    complete = std::fflush(file) == 0 && complete;
    if (complete && exists) {
        // The new file is the old one's: when the superuser saves, the owner
        // and group stay the player's (so the player can save it later), and
        // the mode stays whatever the player chose.
        if (geteuid() == 0)
            complete = fchown(descriptor, info.st_uid, info.st_gid) == 0;
        complete = complete && fchmod(descriptor, info.st_mode & 07777) == 0;
    }
    complete = complete && Synced(descriptor);
    complete = std::fclose(file) == 0 && complete;
    complete = complete && std::rename(temporary.c_str(), target.c_str()) == 0;
    if (!complete) {
        unlink(temporary.c_str());
        return SaveResult::Failed;
    }
    // The rename itself reaches the disk with the folder.
    SyncFolderOf(target);
    return SaveResult::Saved;
}

// FNV-1a, 32 bits: a short, stable mark of a map's place.
uint32_t HashOf(const std::string& text) {
    uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
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

bool SettingsElsewhereTold;

void ResetSettingsFile() {
    SettingsElsewhereTold = false;
}

// The start values are the reset values, written once, above.
static const bool SettingsFileStarted = (ResetSettingsFile(), true);

std::string FallbackSettingsPath() {
    if (MapPath[0] == '\0' || SettingsPath[0] == '\0')
        return std::string();
    const std::string folder = DataFolder("settings");
    if (folder.empty())
        return std::string();
    // The map's place, the same however the player named it: "maps/a.tvm"
    // and "./maps/../maps/a.tvm" are one map.
    std::error_code error;
    fs::path place = fs::weakly_canonical(fs::absolute(MapPath, error), error);
    if (error)
        place = fs::absolute(MapPath, error).lexically_normal();
    // The settings file's own name makes the file easy to recognise; the
    // mark tells apart maps of one name in different folders.
    std::string name = fs::path(SettingsPath).filename().string();
    if (name.size() > FallbackNameLength)
        name.resize(FallbackNameLength);
    char mark[16];
    std::snprintf(mark, sizeof(mark), "-%08x", static_cast<unsigned>(HashOf(place.string())));
    const std::string::size_type extension = name.rfind(SettingsExtension);
    if (extension != std::string::npos && extension + std::strlen(SettingsExtension) == name.size())
        name.insert(extension, mark);
    else
        name += std::string(mark) + SettingsExtension;
    return folder + "/" + name;
}

int LoadSettings() {
    // The file beside the map comes first. Only when nothing at all is there
    // may a file kept in the player's own folder hold this map's settings.
    std::string path = SettingsPath;
    if (path.empty() == false && NothingAt(path)) {
        const std::string fallback = FallbackSettingsPath();
        if (!fallback.empty())
            path = fallback;
    }
    OpenedFile opened = OpenOrdinaryFile(path.c_str());
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
    const std::string beside = SettingsPath;
    if (SaveInto(beside) != SaveResult::FolderReadOnly || !NothingAt(beside))
        return 1;

    // The map's folder takes no new file (an installed map, a read-only
    // medium): the player's own folder keeps the settings instead, and the
    // player is told once where they went.
    const std::string fallback = FallbackSettingsPath();
    if (fallback.empty() || !MakeDataFolder(fallback.substr(0, fallback.rfind('/'))))
        return 1;
    if (SaveInto(fallback) == SaveResult::Saved && !SettingsElsewhereTold) {
        SettingsElsewhereTold = true;
        std::fprintf(stderr,
                     "torvex: the folder of %s cannot be written; its settings are kept in %s\n",
                     MapPath, fallback.c_str());
    }
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
