#include "X11Clipboard.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
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

// The serving thread: it owns the connection, and is in one state for each
// exchange it takes part in. Our own request to another owner is idle, waits
// for its answer, or gathers an answer that comes in pieces (INCR). At exit the
// hand-over of what we copied to a clipboard manager is not begun, pending, or
// done. Requests from other programs for what we own are served as they come.
class X11Clipboard::Server {
public:
    explicit Server(X11Clipboard& clipboard) : m_clipboard(clipboard), m_x(*clipboard.m_x), m_d(m_x.display) {}

    void Run() {
        for (;;) {
            if (!TakeUpWhatWasAsked()) return;
            XFlush(m_d);
            while (XPending(m_d) > 0) {
                XEvent event;
                XNextEvent(m_d, &event);
                Dispatch(event);
            }
            if (m_handOver == HandOver::Done || (m_handOver == HandOver::Pending && Clock::now() >= m_handOverDeadline)) return;
            if (!Wait()) return;
        }
    }

private:
    using Clock = std::chrono::steady_clock;
    using Bytes = std::vector<unsigned char>;
    enum class Asking { Idle, Waiting, Gathering };
    enum class HandOver { NotBegun, Pending, Done };

    // What the program's thread asked for since: ownership, a request, the end.
    // False once there is nothing more to do.
    bool TakeUpWhatWasAsked() {
        std::lock_guard<std::mutex> lock(m_clipboard.m_mutex);
        if (m_clipboard.m_wantOwnership) {
            m_clipboard.m_wantOwnership = false;
            XSetSelectionOwner(m_d, m_x.clipboard, m_x.window, CurrentTime);
            m_clipboard.m_own = XGetSelectionOwner(m_d, m_x.clipboard) == m_x.window;
        }
        if (!m_clipboard.m_askSent) SendRequest();
        if (m_clipboard.m_stop && m_handOver == HandOver::NotBegun) return BeginHandOver();
        return true;
    }

    void SendRequest() {
        m_clipboard.m_askSent = true;
        m_sentSerial = m_clipboard.m_askSerial;
        m_sentTarget = XInternAtom(m_d, m_clipboard.m_askTarget.c_str(), False);
        m_asking = Asking::Waiting;
        XDeleteProperty(m_d, m_x.window, m_x.answerProperty);
        XConvertSelection(m_d, m_x.clipboard, m_sentTarget, m_x.answerProperty, m_x.window, CurrentTime);
    }

    // What we copied outlives us only in a clipboard manager's keeping. False
    // where there is nothing to hand over, or nobody to take it.
    bool BeginHandOver() {
        if (!m_clipboard.m_own || XGetSelectionOwner(m_d, m_x.manager) == None) return false;
        const Atom saved[] = {m_x.utf8, XA_STRING};
        XChangeProperty(m_d, m_x.window, m_x.saveProperty, XA_ATOM, 32, PropModeReplace, reinterpret_cast<const unsigned char*>(saved),
                        static_cast<int>(std::size(saved)));
        XConvertSelection(m_d, m_x.manager, m_x.saveTargets, m_x.saveProperty, m_x.window, CurrentTime);
        m_handOver = HandOver::Pending;
        m_handOverDeadline = Clock::now() + std::chrono::milliseconds(kHandOverMs);
        return true;
    }

    void Dispatch(const XEvent& event) {
        switch (event.type) {
        case SelectionRequest: OnSelectionRequest(event.xselectionrequest); break;
        case SelectionClear: OnSelectionClear(event.xselectionclear); break;
        case SelectionNotify: OnSelectionNotify(event.xselection); break;
        case PropertyNotify: OnPropertyNotify(event.xproperty); break;
        default: break;
        }
    }

    // Another program asks for what we own: the list of targets, or the text in one of them.
    void OnSelectionRequest(const XSelectionRequestEvent& request) {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.display = m_d;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        // A requestor of old names no property: the target serves as one.
        const Atom property = request.property != None ? request.property : request.target;
        std::string text;
        bool own = false;
        {
            std::lock_guard<std::mutex> lock(m_clipboard.m_mutex);
            own = m_clipboard.m_own;
            text = m_clipboard.m_text;
        }
        reply.property = own && request.selection == m_x.clipboard && Put(request, property, text) ? property : None;
        XSendEvent(m_d, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
    }

    // Writes what the request's target asks for into the requestor's property; false for a target we do not offer.
    bool Put(const XSelectionRequestEvent& request, Atom property, const std::string& text) {
        const auto put = [&](Atom type, int format, const void* data, std::size_t count) {
            XChangeProperty(m_d, request.requestor, property, type, format, PropModeReplace, static_cast<const unsigned char*>(data),
                            static_cast<int>(count));
            return true;
        };
        if (request.target == m_x.targets) {
            const Atom offered[] = {m_x.targets, m_x.utf8, m_x.plainUtf8, XA_STRING, m_x.text, m_x.plain};
            return put(XA_ATOM, 32, offered, std::size(offered));
        }
        if (request.target == m_x.utf8 || request.target == m_x.plainUtf8 || request.target == m_x.text)
            return put(request.target == m_x.text ? m_x.utf8 : request.target, 8, text.data(), text.size());
        if (request.target == XA_STRING || request.target == m_x.plain) {
            const std::string bytes = Utf8ToLatin1(text);
            return put(XA_STRING, 8, bytes.data(), bytes.size());
        }
        return false;
    }

    void OnSelectionClear(const XSelectionClearEvent& clear) {
        if (clear.selection != m_x.clipboard) return;
        std::lock_guard<std::mutex> lock(m_clipboard.m_mutex);
        m_clipboard.m_own = false;
    }

    // The answer to our own request, or the manager's to the hand-over.
    void OnSelectionNotify(const XSelectionEvent& notify) {
        if (notify.selection == m_x.manager) {
            m_handOver = HandOver::Done;
            return;
        }
        if (notify.selection != m_x.clipboard || m_asking != Asking::Waiting) return;
        if (notify.property == None) return Finish(std::nullopt);
        Atom type = None;
        Bytes bytes = ReadProperty(type);
        if (type != m_x.incr) return Finish(AsAsked(type, std::move(bytes)));
        // The answer comes in pieces, each a new value of the property; an empty one ends it.
        m_asking = Asking::Gathering;
        m_gatheredType = None;
        m_gathered.clear();
    }

    void OnPropertyNotify(const XPropertyEvent& property) {
        if (m_asking != Asking::Gathering || property.atom != m_x.answerProperty || property.state != PropertyNewValue) return;
        Atom type = None;
        const Bytes piece = ReadProperty(type);
        if (piece.empty()) return Finish(AsAsked(m_gatheredType, std::move(m_gathered)));
        if (m_gathered.size() + piece.size() > kMostText) return Finish(std::nullopt);
        if (m_gatheredType == None) m_gatheredType = type;
        m_gathered.insert(m_gathered.end(), piece.begin(), piece.end());
    }

    // Gives the waiting request its answer, when it is still the one waiting.
    void Finish(std::optional<Bytes> bytes) {
        m_asking = Asking::Idle;
        m_gathered = {};
        std::lock_guard<std::mutex> lock(m_clipboard.m_mutex);
        if (m_sentSerial != m_clipboard.m_askSerial) return;
        m_clipboard.m_answer = std::move(bytes);
        m_clipboard.m_answeredSerial = true;
        m_clipboard.m_answered.notify_all();
    }

    // Reads and deletes our answer property; its type and bytes (atoms as their names, a line each).
    Bytes ReadProperty(Atom& type) {
        Bytes bytes;
        int format = 0;
        unsigned long count = 0;
        unsigned long after = 0;
        unsigned char* data = nullptr;
        type = None;
        if (XGetWindowProperty(m_d, m_x.window, m_x.answerProperty, 0, LONG_MAX / 4, True, AnyPropertyType, &type, &format, &count, &after, &data) !=
            Success)
            return bytes;
        if (data != nullptr && type == XA_ATOM && format == 32)
            bytes = AtomNames(reinterpret_cast<Atom*>(data), count);
        else if (data != nullptr && format == 8)
            bytes.assign(data, data + count);
        if (data != nullptr) XFree(data);
        return bytes;
    }

    // An atom that does not exist has no name and is passed over; the others still count.
    Bytes AtomNames(Atom* atoms, unsigned long count) {
        Bytes bytes;
        std::vector<char*> names(count, nullptr);
        if (count > 0) XGetAtomNames(m_d, atoms, static_cast<int>(count), names.data());
        for (char* name : names) {
            if (name == nullptr) continue;
            bytes.insert(bytes.end(), name, name + std::char_traits<char>::length(name));
            bytes.push_back('\n');
            XFree(name);
        }
        return bytes;
    }

    // Text comes as UTF-8 whatever it was sent as; an answer of another type (the
    // picture some owners send for any target) is no text at all.
    std::optional<Bytes> AsAsked(Atom type, Bytes bytes) const {
        if (m_sentTarget == m_x.targets) return type == XA_ATOM ? std::optional(std::move(bytes)) : std::nullopt;
        if (type == m_x.utf8 || type == m_x.plainUtf8) return bytes;
        if (type == XA_STRING) {
            const std::string text = Latin1ToUtf8(bytes);
            return Bytes(text.begin(), text.end());
        }
        return std::nullopt;
    }

    // Sleeps until the server or the program's thread has something, or the
    // hand-over's time is up. False once the server has closed the connection.
    bool Wait() {
        int waitMs = -1;  // no deadline: until something comes
        if (m_handOver == HandOver::Pending) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_handOverDeadline - Clock::now()).count() + 1;
            waitMs = static_cast<int>(std::clamp<long long>(left, 0, kHandOverMs + 1));
        }
        pollfd fds[2] = {{ConnectionNumber(m_d), POLLIN, 0}, {m_x.wakeRead, POLLIN, 0}};
        ::poll(fds, 2, waitMs);
        if (fds[1].revents & POLLIN) {
            char drained[64];
            [[maybe_unused]] const ssize_t n = ::read(m_x.wakeRead, drained, sizeof drained);
        }
        return (fds[0].revents & (POLLHUP | POLLERR)) == 0;
    }

    X11Clipboard& m_clipboard;
    Connection& m_x;
    Display* m_d;
    Asking m_asking = Asking::Idle;
    unsigned m_sentSerial = 0;
    Atom m_sentTarget = None;
    Atom m_gatheredType = None;
    Bytes m_gathered;
    HandOver m_handOver = HandOver::NotBegun;
    Clock::time_point m_handOverDeadline;
};

void X11Clipboard::Serve() { Server(*this).Run(); }
