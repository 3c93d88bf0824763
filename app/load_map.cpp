// SPDX-License-Identifier: MIT
#include "app/load_map.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/shell_state.h"
#include "files/fields.h"
#include "files/map_file.h"
#include "platform/platform.h"

namespace {

constexpr const char* RefusalCaption = "Cannot Open !";
constexpr const char* PathTooLongText = "The path is too long.";

// What the "Cannot Open !" notice says: the path, and on a second line why.
struct Refusal {
    std::string path;
    std::string reason;  // empty for a file that is there but cannot be opened
};

void ShowRefusal(const Refusal& refusal) {
    std::string notice = refusal.path;
    if (!refusal.reason.empty())
        notice += "\n" + refusal.reason;
    MessageBox(nullptr, notice.c_str(), RefusalCaption);
}

// Takes the argument text as the map's path when it names a ".tvm" file.
// The whole text counts, blanks and anything after the extension included.
// A text too long to be a path is not tried: opening a cut one could read
// some other file. The player is told, and the dialog follows.
bool TakeArgumentText(Refusal* refusal) {
    const char* text = CommandLineText != nullptr ? CommandLineText : "";
    if (FindMapExtension(text) < 0)
        return false;
    if (CopyText(text, MapPath, PathCapacity) < std::strlen(text)) {
        *refusal = {MapPath, PathTooLongText};
        ShowRefusal(*refusal);
        return false;
    }
    return true;
}

}  // namespace

int LoadMapFile() {
    Refusal refusal;
    bool havePath = TakeArgumentText(&refusal);
    for (;;) {
        // The dialog starts from MapPath: empty the first time, the path that
        // just failed after a refusal.
        if (!havePath) {
            const int chosen = GetOpenFileName(MapPath, PathCapacity);
            if (chosen == 0) {
                // The last refusal stays readable once its box is gone, for
                // a player who started the game from a terminal.
                if (!refusal.path.empty()) {
                    std::fprintf(stderr, "torvex: %s %s%s%s\n", RefusalCaption,
                                 refusal.path.c_str(), refusal.reason.empty() ? "" : ": ",
                                 refusal.reason.c_str());
                }
                return 0;
            }
            if (chosen == PathTooLong) {
                // Refused like one too long on the command line, unread.
                refusal = {MapPath, PathTooLongText};
                ShowRefusal(refusal);
                continue;
            }
        }
        havePath = false;
        const MapReadReport report = ReadMapFromPath(MapPath);
        if (report.playable) {
            DeriveSettingsPath(MapPath, SettingsPath, PathCapacity);
            return 1;
        }
        // A file that is there but cannot be opened is named by its path
        // alone; a missing one, or one that opened but cannot be played, has
        // a second line that says what is wrong.
        refusal = {MapPath, !report.unopenable || report.missing ? report.problem : ""};
        ShowRefusal(refusal);
    }
}
