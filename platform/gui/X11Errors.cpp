#include "X11Errors.h"

#include <X11/Xlib.h>

#include <atomic>

namespace {

using Handler = int (*)(Display*, XErrorEvent*);
Handler g_previous = nullptr;
// A few windows are all a run destroys; the errors may be read on any thread.
std::atomic<unsigned long> g_destroyed[8];
std::atomic<unsigned> g_destroyedCount{0};
std::atomic<unsigned> g_nextSlot{0};
std::atomic<Display*> g_tolerated{nullptr};

bool Destroyed(unsigned long xid) {
    const unsigned count = g_destroyedCount.load();
    for (unsigned i = 0; i < count && i < std::size(g_destroyed); ++i)
        if (g_destroyed[i].load() == xid) return true;
    return false;
}

int OnError(Display* display, XErrorEvent* error) {
    if (display == g_tolerated.load()) return 0;
    if ((error->error_code == BadWindow || error->error_code == BadDrawable) && Destroyed(error->resourceid)) return 0;
    return g_previous != nullptr ? g_previous(display, error) : 0;
}

}  // namespace

void GuardX11Errors() {
    if (g_previous != nullptr) return;
    g_previous = XSetErrorHandler(OnError);
}

void ForgetX11Window(unsigned long xid) {
    // The oldest is forgotten first once all the slots are taken.
    g_destroyed[g_nextSlot.fetch_add(1) % std::size(g_destroyed)].store(xid);
    if (g_destroyedCount.load() < std::size(g_destroyed)) g_destroyedCount.fetch_add(1);
}

void TolerateX11Errors(Display* display) { g_tolerated.store(display); }
