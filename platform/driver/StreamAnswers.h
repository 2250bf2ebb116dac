// The driver's answers written to a stream, a line each, flushed at once for
// the reader waiting on the other end of a pipe.
#pragma once

#include <ostream>
#include <string>

#include "DriverScript.h"

inline DriverScript::AnswerWriter AnswersTo(std::ostream& out) {
    return [&out](const std::string& line) {
        out << line << '\n';
        out.flush();
        return static_cast<bool>(out);
    };
}
