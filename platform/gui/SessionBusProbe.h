// Whether the session bus answers at all, asked with a deadline of our own.
// The bus library's first exchange waits without one, and so would SDL's and
// the accessibility bridge's connections on a bus whose daemon is stopped:
// its socket takes connections and never says a word.
#pragma once

#include <optional>
#include <string>

// The socket a D-Bus address names first, for the unix transports: a path, or
// an abstract name with its leading NUL; none for any other transport.
std::optional<std::string> UnixSocketOf(const std::string& address);

// False only when DBUS_SESSION_BUS_ADDRESS names a unix socket that takes the
// connection and gives no answer to the first word of a client within
// `deadlineMs`. A bus that is missing or refuses is for the bus library to find.
bool SessionBusAnswers(int deadlineMs = 1000);
