// SPDX-License-Identifier: MIT
#include "app/load_map.h"

#include <cstring>
#include <string>

#include "app/shell_state.h"
#include "files/fields.h"
#include "files/map_file.h"
#include "platform/platform.h"

namespace {

// Takes the argument text as the map's path when it names a ".tvm" file.
// The whole text counts, blanks and anything after the extension included.
// A text too long to be a path is not tried: opening a cut one could read
// some other file. The player is told, and the dialog follows.
bool TakeArgumentText() {
    const char* text = CommandLineText != nullptr ? CommandLineText : "";
    if (FindMapExtension(text) < 0)
        return false;
    if (CopyText(text, MapPath, PathCapacity) < std::strlen(text)) {
        const std::string notice = std::string(MapPath) + "\nThe path is too long.";
        MessageBox(nullptr, notice.c_str(), "Cannot Open !");
        return false;
    }
    return true;
}

}  // namespace

int LoadMapFile() {
    bool havePath = TakeArgumentText();
    for (;;) {
        // The dialog starts from MapPath: empty the first time, the path that
        // just failed after a refusal.
        if (!havePath && GetOpenFileName(MapPath, PathCapacity) == 0)
            return 0;
        havePath = false;
        const MapReadReport report = ReadMapFromPath(MapPath);
        if (report.playable) {
            DeriveSettingsPath(MapPath, SettingsPath, PathCapacity);
            return 1;
        }
        // A missing or unreadable file is named by its path alone; for a file
        // that opened but cannot be played, a second line says what is wrong.
        std::string notice = MapPath;
        if (!report.unopenable)
            notice += "\n" + report.problem;
        MessageBox(nullptr, notice.c_str(), "Cannot Open !");
    }
}
