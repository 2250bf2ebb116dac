// The other programs on the desktop that the window session test needs:
//   x11_peer stuck FILE       owns the CLIPBOARD and never answers; writes "lost" to FILE if it loses it
//   x11_peer manager          a clipboard manager: keeps what an exiting owner hands it (SAVE_TARGETS)
//   x11_peer close WINDOW     asks a window to close, as a window manager's close does (WM_DELETE_WINDOW)
//   x11_peer resources TEXT   sets the X resource database, as xrdb does (RESOURCE_MANAGER on the root window)
//   x11_peer impatient        asks the CLIPBOARD's owner for text from a window it destroys at once,
//                             then for a window that never existed
//   x11_peer madeup           owns the CLIPBOARD and offers targets whose atoms do not exist
// Each prints "ready" once it is in place.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

Display* g_display = nullptr;
Window g_window = 0;

Atom Intern(const char* name) { return XInternAtom(g_display, name, False); }

void Ready() {
    std::puts("ready");
    std::fflush(stdout);
}

int Stuck(const char* lostFile) {
    XSetSelectionOwner(g_display, Intern("CLIPBOARD"), g_window, CurrentTime);
    XFlush(g_display);
    Ready();
    for (;;) {
        XEvent event;
        XNextEvent(g_display, &event);
        if (event.type == SelectionClear) std::ofstream(lostFile) << "lost\n";
        // A SelectionRequest is never answered: a hung program does just that.
    }
}

// Asks the CLIPBOARD's owner for UTF-8 text and waits for it.
std::string FetchClipboard() {
    const Atom property = Intern("X11_PEER_SAVED");
    XConvertSelection(g_display, Intern("CLIPBOARD"), Intern("UTF8_STRING"), property, g_window, CurrentTime);
    for (;;) {
        XEvent event;
        XNextEvent(g_display, &event);
        if (event.type != SelectionNotify) continue;
        if (event.xselection.property == None) return "";
        Atom type = None;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        XGetWindowProperty(g_display, g_window, property, 0, 1 << 20, True, AnyPropertyType, &type, &format, &count, &after, &data);
        std::string text(reinterpret_cast<char*>(data), count);
        if (data != nullptr) XFree(data);
        return text;
    }
}

void Reply(const XSelectionRequestEvent& request, Atom property) {
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.property = property;
    reply.time = request.time;
    XSendEvent(g_display, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    XFlush(g_display);
}

int Manager() {
    const Atom clipboard = Intern("CLIPBOARD");
    const Atom utf8 = Intern("UTF8_STRING");
    const Atom targets = Intern("TARGETS");
    XSetSelectionOwner(g_display, Intern("CLIPBOARD_MANAGER"), g_window, CurrentTime);
    XFlush(g_display);
    Ready();
    std::string kept;
    for (;;) {
        XEvent event;
        XNextEvent(g_display, &event);
        if (event.type != SelectionRequest) continue;
        const XSelectionRequestEvent request = event.xselectionrequest;
        if (request.target == Intern("SAVE_TARGETS")) {
            kept = FetchClipboard();
            XSetSelectionOwner(g_display, clipboard, g_window, CurrentTime);
            Reply(request, request.property);
        } else if (request.selection == clipboard && request.target == targets) {
            const Atom offered[] = {targets, utf8, XA_STRING};
            XChangeProperty(g_display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 3);
            Reply(request, request.property);
        } else if (request.selection == clipboard && (request.target == utf8 || request.target == XA_STRING)) {
            XChangeProperty(g_display, request.requestor, request.property, request.target, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(kept.data()), static_cast<int>(kept.size()));
            Reply(request, request.property);
        } else {
            Reply(request, None);
        }
    }
}

int Impatient() {
    const Atom clipboard = Intern("CLIPBOARD");
    const Window gone = XCreateSimpleWindow(g_display, DefaultRootWindow(g_display), 0, 0, 1, 1, 0, 0, 0);
    XConvertSelection(g_display, clipboard, Intern("UTF8_STRING"), Intern("X11_PEER_PASTE"), gone, CurrentTime);
    XDestroyWindow(g_display, gone);
    // The server checks a requestor when the request is made; only an event sent
    // straight to the owner can name one that never was.
    XSelectionRequestEvent request{};
    request.type = SelectionRequest;
    request.owner = XGetSelectionOwner(g_display, clipboard);
    request.requestor = 0x1FFFFFF0;
    request.selection = clipboard;
    request.target = Intern("UTF8_STRING");
    request.property = Intern("X11_PEER_PASTE");
    request.time = CurrentTime;
    XSendEvent(g_display, request.owner, False, NoEventMask, reinterpret_cast<XEvent*>(&request));
    XSync(g_display, False);
    Ready();
    return 0;
}

int MadeUp() {
    const Atom clipboard = Intern("CLIPBOARD");
    XSetSelectionOwner(g_display, clipboard, g_window, CurrentTime);
    XFlush(g_display);
    Ready();
    for (;;) {
        XEvent event;
        XNextEvent(g_display, &event);
        if (event.type != SelectionRequest) continue;
        const XSelectionRequestEvent request = event.xselectionrequest;
        if (request.target != Intern("TARGETS")) {
            Reply(request, None);
            continue;
        }
        const Atom offered[] = {0x1FFFFFF1, Intern("UTF8_STRING"), 0x1FFFFFF2};
        XChangeProperty(g_display, request.requestor, request.property, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(offered),
                        3);
        Reply(request, request.property);
    }
}

int Resources(const char* text) {
    XChangeProperty(g_display, DefaultRootWindow(g_display), XA_RESOURCE_MANAGER, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(text), static_cast<int>(std::strlen(text)));
    XSync(g_display, False);
    Ready();
    return 0;
}

int Close(const char* window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(std::strtoul(window, nullptr, 0));
    event.xclient.message_type = Intern("WM_PROTOCOLS");
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(Intern("WM_DELETE_WINDOW"));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(g_display, event.xclient.window, False, NoEventMask, &event);
    XSync(g_display, False);
    Ready();
    return 0;
}

// The window's WM_NAME as a tool that reads only it sees it: its type, then its text.
int Name(const char* window) {
    XTextProperty property{};
    if (!XGetWMName(g_display, static_cast<Window>(std::strtoul(window, nullptr, 0)), &property)) return 1;
    char** list = nullptr;
    int count = 0;
    char* type = XGetAtomName(g_display, property.encoding);
    const bool read = Xutf8TextPropertyToTextList(g_display, &property, &list, &count) >= Success && count > 0;
    std::printf("%s %s\n", type, read ? list[0] : "");
    if (list != nullptr) XFreeStringList(list);
    XFree(type);
    XFree(property.value);
    return read ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    g_display = XOpenDisplay(nullptr);
    if (g_display == nullptr) {
        std::fprintf(stderr, "x11_peer: no display\n");
        return 1;
    }
    g_window = XCreateSimpleWindow(g_display, DefaultRootWindow(g_display), 0, 0, 1, 1, 0, 0, 0);
    if (mode == "stuck" && argc == 3) return Stuck(argv[2]);
    if (mode == "manager" && argc == 2) return Manager();
    if (mode == "close" && argc == 3) return Close(argv[2]);
    if (mode == "resources" && argc == 3) return Resources(argv[2]);
    if (mode == "name" && argc == 3) return Name(argv[2]);
    if (mode == "impatient" && argc == 2) return Impatient();
    if (mode == "madeup" && argc == 2) return MadeUp();
    std::fprintf(stderr, "usage: x11_peer stuck FILE | manager | close WINDOW | resources TEXT | name WINDOW | impatient | madeup\n");
    return 2;
}
