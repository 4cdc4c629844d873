#pragma once

// std::from_chars for a float, for a C++ library that lacks it (emscripten's, for node and the
// browsers): the form from_chars reads in its general format (an optional '-', digits with an
// optional point and an optional exponent, or inf, infinity, nan), rounded to the nearest float by
// the C library's strtof, as from_chars rounds. A value beyond the floats, or too small to be told
// from zero, is out of range and leaves `value` as it was.

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace std {

inline from_chars_result from_chars(const char* first, const char* last, float& value) {
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isLetter = [](char c, char letter) { return c == letter || c == letter - 'a' + 'A'; };
    const char* at = first;
    if (at != last && *at == '-') ++at;
    int digits = 0;
    for (; at != last && isDigit(*at); ++at) ++digits;
    if (at != last && *at == '.')
        for (++at; at != last && isDigit(*at); ++at) ++digits;
    if (digits == 0) {
        // Only inf and nan remain, which strtof reads whole (infinity, nan(...)) from a letter on.
        const char* word = first + (first != last && *first == '-' ? 1 : 0);
        if (last - word < 3 || !((isLetter(word[0], 'i') && isLetter(word[1], 'n') && isLetter(word[2], 'f')) ||
                                 (isLetter(word[0], 'n') && isLetter(word[1], 'a') && isLetter(word[2], 'n'))))
            return {first, errc::invalid_argument};
        at = last;
    } else if (at != last && isLetter(*at, 'e')) {
        const char* exponent = at + 1;
        if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
        if (exponent != last && isDigit(*exponent))
            for (at = exponent; at != last && isDigit(*at); ++at) {
            }
    }
    const string text(first, at);
    char* end = nullptr;
    errno = 0;
    const float read = strtof(text.c_str(), &end);
    if (errno == ERANGE && (isinf(read) || read == 0)) return {first + (end - text.c_str()), errc::result_out_of_range};
    value = read;
    return {first + (end - text.c_str()), errc{}};
}

}  // namespace std
