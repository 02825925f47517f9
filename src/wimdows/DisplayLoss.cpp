// An X display that goes away under the game: the server ends, another
// program kills the game's connection or destroys its window. Xlib's own
// handlers end the process from inside whatever call met the error, with no
// autosave; these end the window in order, so the game winds down as after the
// close box. Xlib is the one SDL loaded, reached without linking to it.
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <SDL_syswm.h>

#include "WimdowsInternal.h"

namespace Wimdows::Internal {

namespace {

using ErrorHandler = int (*)(Display*, XErrorEvent*);
using IOErrorHandler = int (*)(Display*);

using IOErrorExitHandler = void (*)(Display*, void*);

ErrorHandler previousError = nullptr;
std::atomic<bool> lost{false};
XID ours = 0;

// An error about our own window means that it is gone, destroyed from
// outside. Every other error goes to the handler that was there.
int OnError(Display* display, XErrorEvent* e) {
    if (ours != 0 && e->resourceid == ours) {
        WindowDestroyed();
        return 0;
    }
    return previousError ? previousError(display, e) : 0;
}

// The connection is gone. Xlib then calls the exit handler, which would end
// the process; returning from it instead leaves every later Xlib call on the
// connection doing nothing, so the window thread can wind down.
int OnIOError(Display*) {
    lost = true;
    DisplayLost();
    return 0;
}

// Some libraries' own clean-up at exit (GLX's) waits for the lost display for
// ever: the process ends without them, with the status it was given.
void EndWithoutDisplay(int status, void*) {
    if (!lost) return;
    std::fflush(nullptr);
    _exit(status);
}

void StayAfterIOError(Display*, void*) {}

} // namespace

void WatchDisplay(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    ours = info.info.x11.window;
    // A write to a connection the server closed must be an error, not SIGPIPE's death.
    std::signal(SIGPIPE, SIG_IGN);
    void* xlib = dlopen("libX11.so.6", RTLD_LAZY | RTLD_NOLOAD);
    if (!xlib) return;
    auto setError =
        reinterpret_cast<ErrorHandler (*)(ErrorHandler)>(dlsym(xlib, "XSetErrorHandler"));
    auto setIOError =
        reinterpret_cast<IOErrorHandler (*)(IOErrorHandler)>(dlsym(xlib, "XSetIOErrorHandler"));
    auto setIOErrorExit = reinterpret_cast<void (*)(Display*, IOErrorExitHandler, void*)>(
        dlsym(xlib, "XSetIOErrorExitHandler"));
    if (setError) {
        const ErrorHandler old = setError(OnError);
        if (old != OnError) previousError = old;
    }
    // Without the exit handler (Xlib before 1.7) a lost connection still ends the process.
    if (setIOError && setIOErrorExit) {
        setIOError(OnIOError);
        setIOErrorExit(info.info.x11.display, StayAfterIOError, nullptr);
        static const bool endsWithoutDisplay = on_exit(EndWithoutDisplay, nullptr) == 0;
        (void)endsWithoutDisplay;
    }
    dlclose(xlib);
}

} // namespace Wimdows::Internal
