// SPDX-License-Identifier: MIT
// The notice and the map chooser.
//
// The notice is SDL's message box, over the game window when there is one.
// SDL has no file chooser, so the desktop's own is run as a child process:
// zenity, or kdialog where zenity is missing.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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

std::vector<std::string> ZenityArguments(const std::string& initial) {
    std::vector<std::string> arguments = {"zenity", "--file-selection",
                                          std::string("--title=") + DialogTitle, ZenityMapFilter,
                                          ZenityAnyFilter};
    if (!initial.empty())
        arguments.push_back("--filename=" + initial);
    return arguments;
}

std::vector<std::string> KdialogArguments(const std::string& initial) {
    return {"kdialog",
            "--title",
            DialogTitle,
            "--getopenfilename",
            initial.empty() ? "." : initial,
            KdialogMapFilter()};
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
    SDL_Window* parent = owner != nullptr ? GameSdlWindow() : nullptr;
    // The box needs the pointer to be clicked away; the game takes it back
    // afterwards, without the motion made meanwhile.
    ReleasePointerForModal();
    const int shown =
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption != nullptr ? caption : "",
                                 text != nullptr ? text : "", parent);
    CapturePointerAfterModal();
    if (shown != 0) {
        // No way to show a box (no display at all): the player still learns
        // what happened.
        std::fprintf(stderr, "torvex: %s: %s\n", caption != nullptr ? caption : "",
                     text != nullptr ? text : "");
    }
}

int GetOpenFileName(char* path, size_t capacity) {
    if (path == nullptr || capacity == 0)
        return 0;
    const std::string initial(path, strnlen(path, capacity));

    std::string program = FindProgram("zenity");
    std::vector<std::string> arguments = ZenityArguments(initial);
    if (program.empty()) {
        program = FindProgram("kdialog");
        arguments = KdialogArguments(initial);
    }
    if (program.empty()) {
        std::fprintf(stderr,
                     "torvex: no file chooser found (install zenity or kdialog), "
                     "or name the map on the command line: torvex MAP.tvm\n");
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
        std::fprintf(stderr, "torvex: the chosen path is too long: %s\n", chosen.c_str());
        return 0;
    }
    std::memcpy(path, chosen.c_str(), chosen.size() + 1);
    return 1;
}
