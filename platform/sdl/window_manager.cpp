// SPDX-License-Identifier: MIT
// Whether a window manager looks after the X screen the game opens on.
//
// A window manager that follows the desktop's conventions names a window of
// its own in the root window's _NET_SUPPORTING_WM_CHECK property, and that
// window names itself in the same property. One that has ended may leave the
// root's property behind, naming a window that is gone, so both are read.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <cstring>

#include "platform/sdl/sdl_backend.h"

namespace {

// A window named in a property may be gone by the time it is read; that is
// an answer here, not a fault.
int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

// The window that `property` on `window` names, or None.
Window WindowNamedBy(Display* display, Window window, Atom property) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    Window named = None;
    if (XGetWindowProperty(display, window, property, 0, 1, False, XA_WINDOW, &type, &format,
                           &count, &after, &data) == Success &&
        type == XA_WINDOW && format == 32 && count == 1 && data != nullptr) {
        // Xlib hands 32-bit items over as longs.
        named = static_cast<Window>(*reinterpret_cast<unsigned long*>(data));
    }
    if (data != nullptr)
        XFree(data);
    return named;
}

}  // namespace

bool WindowManagerRunning() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (driver == nullptr || std::strcmp(driver, "x11") != 0)
        return false;
    // A connection of its own, on the display SDL opened (both follow DISPLAY).
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr)
        return false;
    XErrorHandler before = XSetErrorHandler(IgnoreXError);
    bool running = false;
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check != None) {
        const Window own = WindowNamedBy(display, DefaultRootWindow(display), check);
        running = own != None && WindowNamedBy(display, own, check) == own;
    }
    XSync(display, False);  // any error of a gone window arrives while ignored
    XSetErrorHandler(before);
    XCloseDisplay(display);
    return running;
}
