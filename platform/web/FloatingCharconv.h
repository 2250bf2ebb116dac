// Emscripten 3.1.6's C++ library converts integers with std::to_chars and
// std::from_chars but not floating-point numbers. The page's build gives every
// file these two, on the C library's own conversions: in a page the C
// library's locale is always "C", so the point is always '.', as the standard
// functions promise.
#pragma once

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <system_error>

namespace std {

inline to_chars_result to_chars(char* first, char* last, double value, chars_format format, int precision) {
    char buffer[400];
    const char* conversion = format == chars_format::fixed ? "%.*f" : format == chars_format::scientific ? "%.*e" : "%.*g";
    const int length = std::snprintf(buffer, sizeof buffer, conversion, std::min(precision, 120), value);
    if (length < 0 || length >= static_cast<int>(sizeof buffer) || length > last - first) return {last, errc::value_too_large};
    std::memcpy(first, buffer, static_cast<size_t>(length));
    return {first + length, errc{}};
}

inline from_chars_result from_chars(const char* first, const char* last, double& value, chars_format format = chars_format::general) {
    // No blanks and no '+' before the number, and no hexadecimal form: only what from_chars reads.
    const char* start = first;
    if (start != last && *start == '-') ++start;
    if (start == last ||
        !(std::isdigit(static_cast<unsigned char>(*start)) || *start == '.' || *start == 'i' || *start == 'I' || *start == 'n' || *start == 'N'))
        return {first, errc::invalid_argument};
    std::string text(first, last);
    const size_t sign = static_cast<size_t>(start - first);
    if (text.size() > sign + 1 && text[sign] == '0' && (text[sign + 1] == 'x' || text[sign + 1] == 'X')) text.resize(sign + 1);
    // A fixed number has no exponent.
    if (format == chars_format::fixed)
        if (const auto e = text.find_first_of("eE", sign); e != std::string::npos) text.resize(e);
    errno = 0;
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) return {first, errc::invalid_argument};
    const char* stop = first + (end - text.c_str());
    if (errno == ERANGE && (std::isinf(parsed) || parsed == 0)) return {stop, errc::result_out_of_range};
    value = parsed;
    return {stop, errc{}};
}

}  // namespace std
