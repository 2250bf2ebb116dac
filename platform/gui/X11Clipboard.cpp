#include "X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <climits>

#include "../window_system/Utf8.h"
#include "X11Errors.h"

namespace {

constexpr std::size_t kMostText = 16u << 20;  // a paste past this is refused rather than gathered without end
constexpr int kHandOverMs = 1000;

std::string Latin1ToUtf8(const std::vector<unsigned char>& bytes) {
    std::string text;
    for (const unsigned char byte : bytes) text += EncodeUtf8(byte);
    return text;
}

std::string Utf8ToLatin1(const std::string& text) {
    std::string bytes;
    for (const char32_t cp : DecodeUtf8(text)) bytes += cp <= 0xFF ? static_cast<char>(cp) : '?';
    return bytes;
}

}  // namespace

struct X11Clipboard::Connection {
    Display* display = nullptr;
    Window window = 0;
    int wakeRead = -1;
    int wakeWrite = -1;
    Atom clipboard, manager, saveTargets, targets, utf8, text, plainUtf8, plain, incr, answerProperty, saveProperty;
    // An answer coming in pieces (INCR), and the request it answers.
    bool incremental = false;
    unsigned incrementalSerial = 0;
    Atom incrementalType = None;
    std::vector<unsigned char> gathered;

    ~Connection() {
        if (display != nullptr) {
            XDestroyWindow(display, window);
            XCloseDisplay(display);
        }
        if (wakeRead >= 0) ::close(wakeRead);
        if (wakeWrite >= 0) ::close(wakeWrite);
    }
};

std::unique_ptr<X11Clipboard> X11Clipboard::Open() {
    auto x = std::make_unique<Connection>();
    x->display = XOpenDisplay(nullptr);
    if (x->display == nullptr) return nullptr;
    // A requestor gone before its answer, or an owner naming atoms that do not
    // exist, is an error on this connection: the request fails, not the program.
    GuardX11Errors();
    TolerateX11Errors(x->display);
    // Wake-ups never block the caller, even with the thread gone.
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_NONBLOCK | O_CLOEXEC) != 0) return nullptr;
    x->wakeRead = pipeEnds[0];
    x->wakeWrite = pipeEnds[1];
    Display* d = x->display;
    x->window = XCreateSimpleWindow(d, DefaultRootWindow(d), -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(d, x->window, PropertyChangeMask);
    const auto atom = [d](const char* name) { return XInternAtom(d, name, False); };
    x->clipboard = atom("CLIPBOARD");
    x->manager = atom("CLIPBOARD_MANAGER");
    x->saveTargets = atom("SAVE_TARGETS");
    x->targets = atom("TARGETS");
    x->utf8 = atom("UTF8_STRING");
    x->text = atom("TEXT");
    x->plainUtf8 = atom("text/plain;charset=utf-8");
    x->plain = atom("text/plain");
    x->incr = atom("INCR");
    x->answerProperty = atom("DOTWISE_CLIPBOARD");
    x->saveProperty = atom("DOTWISE_SAVE_TARGETS");
    XFlush(d);
    return std::unique_ptr<X11Clipboard>(new X11Clipboard(std::move(x)));
}

X11Clipboard::X11Clipboard(std::unique_ptr<Connection> connection) : m_x(std::move(connection)) {
    m_thread = std::thread([this] { Serve(); });
}

X11Clipboard::~X11Clipboard() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    Wake();
    m_thread.join();
}

void X11Clipboard::Wake() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(m_x->wakeWrite, &byte, 1);
}

void X11Clipboard::SetText(const std::string& text) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_text = text;
        m_wantOwnership = true;
    }
    Wake();
}

std::optional<std::vector<unsigned char>> X11Clipboard::Ask(const char* target, const WhileWaiting& whileWaiting) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_askTarget = target;
    ++m_askSerial;
    m_askSent = false;
    m_answeredSerial = false;
    m_answer.reset();
    lock.unlock();
    Wake();
    lock.lock();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kAnswerMs);
    while (!m_answeredSerial && std::chrono::steady_clock::now() < deadline) {
        m_answered.wait_for(lock, std::chrono::milliseconds(15));
        if (m_answeredSerial || !whileWaiting) continue;
        lock.unlock();
        whileWaiting();
        lock.lock();
    }
    // An answer that comes later belongs to no request.
    const bool answered = m_answeredSerial;
    ++m_askSerial;
    return answered ? std::move(m_answer) : std::nullopt;
}

bool X11Clipboard::HasText(const WhileWaiting& whileWaiting) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_own) return true;
    }
    const auto targets = Ask("TARGETS", whileWaiting);
    if (!targets) return false;
    // The serving thread gives the targets' names, a line each.
    std::string names(targets->begin(), targets->end());
    for (const char* wanted : {"UTF8_STRING", "STRING", "TEXT", "text/plain;charset=utf-8", "text/plain"})
        if (("\n" + names + "\n").find("\n" + std::string(wanted) + "\n") != std::string::npos) return true;
    return false;
}

std::optional<std::string> X11Clipboard::Text(const WhileWaiting& whileWaiting) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_own) return m_text;
    }
    // Only an owner that knows no UTF-8 is asked again, in Latin-1; one that never answered is not.
    const auto started = std::chrono::steady_clock::now();
    if (auto utf8 = Ask("UTF8_STRING", whileWaiting)) return std::string(utf8->begin(), utf8->end());
    if (std::chrono::steady_clock::now() - started >= std::chrono::milliseconds(kAnswerMs)) return std::nullopt;
    if (auto latin1 = Ask("STRING", whileWaiting)) return std::string(latin1->begin(), latin1->end());
    return std::nullopt;
}

void X11Clipboard::Serve() {
    Connection& x = *m_x;
    Display* d = x.display;
    unsigned sentSerial = 0;
    Atom sentTarget = None;
    bool handingOver = false;
    bool handedOver = false;
    auto handOverDeadline = std::chrono::steady_clock::now();

    // Gives the waiting request its answer, when it is still the one waiting.
    const auto answer = [&](unsigned serial, std::optional<std::vector<unsigned char>> bytes) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (serial != m_askSerial) return;
        m_answer = std::move(bytes);
        m_answeredSerial = true;
        m_answered.notify_all();
    };
    // Reads and deletes our answer property; its type and bytes (atoms as their names, a line each).
    const auto readProperty = [&](Atom& type) {
        std::vector<unsigned char> bytes;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        type = None;
        if (XGetWindowProperty(d, x.window, x.answerProperty, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format, &count, &after, &data) != Success)
            return bytes;
        if (data != nullptr && type == XA_ATOM && format == 32) {
            // An atom that does not exist has no name and is passed over; the others still count.
            std::vector<char*> names(count, nullptr);
            if (count > 0) XGetAtomNames(d, reinterpret_cast<Atom*>(data), static_cast<int>(count), names.data());
            for (char* name : names) {
                if (name == nullptr) continue;
                bytes.insert(bytes.end(), name, name + std::char_traits<char>::length(name));
                bytes.push_back('\n');
                XFree(name);
            }
        } else if (data != nullptr && format == 8) {
            bytes.assign(data, data + count);
        }
        if (data != nullptr) XFree(data);
        return bytes;
    };
    // Text comes as UTF-8 whatever it was sent as; an answer of another type (the
    // picture some owners send for any target) is no text at all.
    const auto asAsked = [&](Atom asked, Atom type, std::vector<unsigned char> bytes) -> std::optional<std::vector<unsigned char>> {
        if (asked == x.targets) return type == XA_ATOM ? std::optional(std::move(bytes)) : std::nullopt;
        if (type == x.utf8 || type == x.plainUtf8) return bytes;
        if (type == XA_STRING) {
            const std::string text = Latin1ToUtf8(bytes);
            return std::vector<unsigned char>(text.begin(), text.end());
        }
        return std::nullopt;
    };
    const auto serve = [&](const XSelectionRequestEvent& request) {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.display = d;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        // A requestor of old names no property: the target serves as one.
        const Atom property = request.property != None ? request.property : request.target;
        std::string text;
        bool own = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            own = m_own;
            text = m_text;
        }
        reply.property = None;
        if (own && request.selection == x.clipboard) {
            if (request.target == x.targets) {
                const Atom offered[] = {x.targets, x.utf8, x.plainUtf8, XA_STRING, x.text, x.plain};
                XChangeProperty(d, request.requestor, property, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(offered),
                                static_cast<int>(std::size(offered)));
                reply.property = property;
            } else if (request.target == x.utf8 || request.target == x.plainUtf8 || request.target == x.text) {
                XChangeProperty(d, request.requestor, property, request.target == x.text ? x.utf8 : request.target, 8, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
                reply.property = property;
            } else if (request.target == XA_STRING || request.target == x.plain) {
                const std::string bytes = Utf8ToLatin1(text);
                XChangeProperty(d, request.requestor, property, XA_STRING, 8, PropModeReplace, reinterpret_cast<const unsigned char*>(bytes.data()),
                                static_cast<int>(bytes.size()));
                reply.property = property;
            }
        }
        XSendEvent(d, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    };

    for (;;) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_wantOwnership) {
                m_wantOwnership = false;
                XSetSelectionOwner(d, x.clipboard, x.window, CurrentTime);
                m_own = XGetSelectionOwner(d, x.clipboard) == x.window;
            }
            if (!m_askSent) {
                m_askSent = true;
                sentSerial = m_askSerial;
                sentTarget = XInternAtom(d, m_askTarget.c_str(), False);
                x.incremental = false;
                XDeleteProperty(d, x.window, x.answerProperty);
                XConvertSelection(d, x.clipboard, sentTarget, x.answerProperty, x.window, CurrentTime);
            }
            if (m_stop && !handingOver) {
                // What we copied outlives us only in a clipboard manager's keeping.
                if (!m_own || XGetSelectionOwner(d, x.manager) == None) break;
                const Atom saved[] = {x.utf8, XA_STRING};
                XChangeProperty(d, x.window, x.saveProperty, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(saved),
                                static_cast<int>(std::size(saved)));
                XConvertSelection(d, x.manager, x.saveTargets, x.saveProperty, x.window, CurrentTime);
                handingOver = true;
                handOverDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kHandOverMs);
            }
        }
        XFlush(d);
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            switch (event.type) {
            case SelectionRequest: serve(event.xselectionrequest); break;
            case SelectionClear:
                if (event.xselectionclear.selection == x.clipboard) {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_own = false;
                }
                break;
            case SelectionNotify: {
                const XSelectionEvent& notify = event.xselection;
                if (notify.selection == x.manager) {
                    handedOver = true;
                    break;
                }
                if (notify.selection != x.clipboard) break;
                if (notify.property == None) {
                    answer(sentSerial, std::nullopt);
                    break;
                }
                Atom type = None;
                std::vector<unsigned char> bytes = readProperty(type);
                if (type == x.incr) {
                    // The answer comes in pieces, each a new value of the property; an empty one ends it.
                    x.incremental = true;
                    x.incrementalSerial = sentSerial;
                    x.incrementalType = None;
                    x.gathered.clear();
                } else {
                    answer(sentSerial, asAsked(sentTarget, type, std::move(bytes)));
                }
                break;
            }
            case PropertyNotify:
                if (x.incremental && event.xproperty.atom == x.answerProperty && event.xproperty.state == PropertyNewValue) {
                    Atom type = None;
                    const std::vector<unsigned char> piece = readProperty(type);
                    if (piece.empty() || x.gathered.size() + piece.size() > kMostText) {
                        x.incremental = false;
                        if (piece.empty()) answer(x.incrementalSerial, asAsked(sentTarget, x.incrementalType, std::move(x.gathered)));
                        else answer(x.incrementalSerial, std::nullopt);
                        x.gathered = {};
                    } else {
                        if (x.incrementalType == None) x.incrementalType = type;
                        x.gathered.insert(x.gathered.end(), piece.begin(), piece.end());
                    }
                }
                break;
            default: break;
            }
        }
        const auto now = std::chrono::steady_clock::now();
        if (handingOver && (handedOver || now >= handOverDeadline)) break;
        int waitMs = -1;
        if (handingOver) waitMs = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(handOverDeadline - now).count()) + 1;
        pollfd fds[2] = {{ConnectionNumber(d), POLLIN, 0}, {x.wakeRead, POLLIN, 0}};
        ::poll(fds, 2, waitMs);
        if (fds[1].revents & POLLIN) {
            char drained[64];
            [[maybe_unused]] const ssize_t n = ::read(x.wakeRead, drained, sizeof drained);
        }
        // A connection the server closed has nothing more to serve.
        if (fds[0].revents & (POLLHUP | POLLERR)) break;
    }
}
