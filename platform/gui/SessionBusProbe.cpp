#include "SessionBusProbe.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <cstring>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// An address's values may escape any byte as %XX.
std::optional<std::string> Unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '%') {
            out += value[i];
            continue;
        }
        const int high = i + 1 < value.size() ? HexDigit(value[i + 1]) : -1;
        const int low = i + 2 < value.size() ? HexDigit(value[i + 2]) : -1;
        if (high < 0 || low < 0) return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

int RemainingMs(std::chrono::steady_clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

// Waits for `events` on `fd` until the deadline; false on a time-out.
bool Await(int fd, short events, std::chrono::steady_clock::time_point deadline) {
    pollfd p{fd, events, 0};
    for (;;) {
        const int ready = ::poll(&p, 1, RemainingMs(deadline));
        if (ready > 0) return true;
        if (ready == 0 || errno != EINTR) return false;
    }
}

}  // namespace

std::optional<std::string> UnixSocketOf(const std::string& address) {
    const std::string_view first = std::string_view(address).substr(0, address.find(';'));
    if (first.rfind("unix:", 0) != 0) return std::nullopt;
    std::string_view rest = first.substr(5);
    while (!rest.empty()) {
        const std::string_view pair = rest.substr(0, rest.find(','));
        rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = pair.substr(0, equals);
        const auto value = Unescaped(pair.substr(equals + 1));
        if (!value || value->empty()) return std::nullopt;
        if (key == "path") return value;
        if (key == "abstract") return std::string(1, '\0') + *value;
    }
    return std::nullopt;
}

bool SessionBusAnswers(int deadlineMs) {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address == nullptr) return true;
    const auto path = UnixSocketOf(address);
    sockaddr_un where{};
    if (!path || path->size() >= sizeof where.sun_path) return true;
    where.sun_family = AF_UNIX;
    std::memcpy(where.sun_path, path->data(), path->size());
    const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + path->size() + ((*path)[0] != '\0' ? 1 : 0));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadlineMs);
    bool answers = true;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&where), length) == 0 ||
        ((errno == EINPROGRESS || errno == EAGAIN) && Await(fd, POLLOUT, deadline))) {
        // A client's first word: a zero byte, then an authentication request, to which every bus replies.
        std::string uid = std::to_string(::getuid());
        std::string hello(1, '\0');
        hello += "AUTH EXTERNAL ";
        for (const char c : uid) {
            static const char kHex[] = "0123456789abcdef";
            hello += kHex[(c >> 4) & 0xF];
            hello += kHex[c & 0xF];
        }
        hello += "\r\n";
        if (::send(fd, hello.data(), hello.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(hello.size())) answers = Await(fd, POLLIN, deadline);
    } else if (errno == EINPROGRESS || errno == EAGAIN) {
        answers = false;
    }
    ::close(fd);
    return answers;
}
