// SPDX-License-Identifier: MIT
// The notice and the map chooser.
//
// SDL has no file chooser, so the desktop's own is run as a child process:
// zenity, or kdialog where zenity is missing. A notice over the game's X11
// window is SDL's own box, drawn by the game itself. Any other notice (at
// start-up, before the window, or on Wayland) SDL would hand to zenity in a
// child of its own, which lives on when the game is killed; the game runs
// that helper itself instead, as a child that ends with it.
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/common/notice_text.h"
#include "platform/platform.h"
#include "platform/sdl/child_process.h"
#include "platform/sdl/sdl_backend.h"

namespace {

const char* const DialogTitle = "Choose a Torvex map";

// Map files end in ".tvm" in any letter case. Zenity's patterns are
// case-sensitive but take bracket expressions.
const char* const ZenityMapFilter = "--file-filter=Torvex maps (*.tvm) | *.[tT][vV][mM]";
const char* const ZenityAnyFilter = "--file-filter=All files | *";

// Every letter case of ".tvm" spelled out, for a filter syntax that may not
// take brackets.
std::string KdialogMapFilter() {
    std::string patterns;
    for (int cases = 0; cases < 8; ++cases) {
        if (!patterns.empty())
            patterns += ' ';
        patterns += "*.";
        patterns += (cases & 4) ? 'T' : 't';
        patterns += (cases & 2) ? 'V' : 'v';
        patterns += (cases & 1) ? 'M' : 'm';
    }
    return patterns + "|Torvex maps";
}

const char* const NoChooserText =
    "Torvex needs zenity or kdialog to choose a map. Install one, or start torvex with a map file.";

// Where the chooser opens: on the previous path, in its folder with the file
// selected; without one, in the current folder (where the launcher keeps
// the player's maps), written with a closing slash, which tells zenity it
// is a folder to open and not a file to select. Zenity would otherwise open
// on its list of recent files.
std::string StartingPoint(const std::string& initial) {
    if (!initial.empty())
        return initial;
    std::vector<char> folder(4096);
    while (getcwd(folder.data(), folder.size()) == nullptr) {
        if (errno != ERANGE)
            return "";
        folder.resize(folder.size() * 2);
    }
    std::string start = folder.data();
    if (start.back() != '/')
        start += '/';
    return start;
}

std::vector<std::string> ZenityArguments(const std::string& start) {
    std::vector<std::string> arguments = {"zenity", "--file-selection",
                                          std::string("--title=") + DialogTitle, ZenityMapFilter,
                                          ZenityAnyFilter};
    if (!start.empty())
        arguments.push_back("--filename=" + start);
    return arguments;
}

std::vector<std::string> KdialogArguments(const std::string& start) {
    return {
        "kdialog",         "--title", DialogTitle, "--getopenfilename", start.empty() ? "." : start,
        KdialogMapFilter()};
}

// The desktop shows a helper's window only where there is a desktop.
bool DesktopSessionNamed() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0')
            return true;
    }
    return false;
}

enum class Shown { Yes, Dismissed, No };

// The notice in zenity's or kdialog's own box, as a child of the game. Its
// text is shown as it is (no markup), so no path can change how it looks.
Shown ShowInHelper(const std::string& caption, const std::string& text) {
    if (!DesktopSessionNamed())
        return Shown::No;
    std::string program = FindProgram("zenity");
    std::vector<std::string> arguments = {"zenity", "--info", "--no-markup", "--title=" + caption,
                                          "--text=" + text};
    if (program.empty()) {
        program = FindProgram("kdialog");
        arguments = {"kdialog", "--title", caption, "--msgbox", text};
    }
    if (program.empty())
        return Shown::No;
    const ChildResult box = RunChild(program, arguments);
    if (!box.started || box.exitStatus == 127)
        return Shown::No;
    // Closed with OK, or some other way (Escape, the window's close button,
    // a helper that could not reach the display).
    return box.exitStatus == 0 ? Shown::Yes : Shown::Dismissed;
}

// Shows the notice, in the game's own box where it can draw one and else
// in a helper's. Yes when the player saw it and closed it with OK.
Shown ShowNotice(WindowHandle owner, const std::string& caption, const std::string& text) {
    SDL_Window* parent = owner != nullptr ? GameSdlWindow() : nullptr;
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool drawnHere =
        parent != nullptr && driver != nullptr && std::strcmp(driver, "wayland") != 0;
    // The box needs the pointer to be clicked away; the game takes it back
    // afterwards, without the motion made meanwhile.
    ReleasePointerForModal();
    Shown shown = Shown::No;
    if (!drawnHere)
        shown = ShowInHelper(caption, text);
    if (shown == Shown::No && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(),
                                                       text.c_str(), parent) == 0) {
        shown = Shown::Yes;
    }
    CapturePointerAfterModal();
    return shown;
}

// The chooser prints the chosen path and a line break.
std::string ChosenPath(const std::string& output) {
    std::string path = output;
    while (!path.empty() && (path.back() == '\n' || path.back() == '\r'))
        path.pop_back();
    return path;
}

}  // namespace

void MessageBox(WindowHandle owner, const char* text, const char* caption) {
    const std::string whole = text != nullptr ? text : "";
    const std::string title = caption != nullptr ? caption : "";
    if (ShowNotice(owner, title, ShortenLongLines(whole)) != Shown::Yes) {
        // No way to show a box (no display at all), or one closed some other
        // way than with OK: the player still learns what happened.
        std::fprintf(stderr, "torvex: %s: %s\n", title.c_str(), whole.c_str());
    }
}

int GetOpenFileName(char* path, size_t capacity) {
    if (path == nullptr || capacity == 0)
        return 0;
    if (!DisplayFound())
        return 0;
    const std::string start = StartingPoint(std::string(path, strnlen(path, capacity)));

    std::string program = FindProgram("zenity");
    std::vector<std::string> arguments = ZenityArguments(start);
    if (program.empty()) {
        program = FindProgram("kdialog");
        arguments = KdialogArguments(start);
    }
    if (program.empty()) {
        // Said on standard error, and in a box for a player who started
        // the game from the desktop's menu and sees no terminal.
        std::fprintf(stderr, "torvex: %s\n", NoChooserText);
        ShowNotice(nullptr, "Torvex", NoChooserText);
        return 0;
    }

    ReleasePointerForModal();
    const ChildResult chooser = RunChild(program, arguments);
    CapturePointerAfterModal();
    // Any exit but a clean one is a cancel (the chooser's own answer to
    // Cancel or Escape, or a chooser that could not open).
    if (!chooser.started || chooser.exitStatus != 0)
        return 0;
    const std::string chosen = ChosenPath(chooser.output);
    if (chosen.empty())
        return 0;
    if (chosen.size() + 1 > capacity) {
        // Never opened, since a cut path could name another file; the game
        // names it to the player with as much as fits.
        std::fprintf(stderr, "torvex: the chosen path is too long: %s\n", chosen.c_str());
        std::memcpy(path, chosen.c_str(), capacity - 1);
        path[capacity - 1] = '\0';
        return PathTooLong;
    }
    std::memcpy(path, chosen.c_str(), chosen.size() + 1);
    return 1;
}
