#pragma once

#include <cstddef>

// One character read from UTF-8 bytes.
struct Utf8Char {
    char32_t code;
    size_t length; // bytes of the character, or of the maximal invalid subpart
    bool valid;
};

// Reads one UTF-8 character from p (left > 0 bytes), rejecting overlong forms,
// surrogates and values past U+10FFFF. An invalid sequence is reported with the
// length of its maximal invalid subpart (at least 1), so a reader can step over it.
inline Utf8Char ReadUtf8(const unsigned char* p, size_t left) {
    unsigned char c = p[0];
    if (c < 0x80) return {c, 1, true};
    size_t n = c >= 0xC2 && c <= 0xDF   ? 2
               : c >= 0xE0 && c <= 0xEF ? 3
               : c >= 0xF0 && c <= 0xF4 ? 4
                                        : 0;
    if (n == 0) return {0, 1, false};
    unsigned char lo = c == 0xE0 ? 0xA0 : c == 0xF0 ? 0x90 : 0x80;
    unsigned char hi = c == 0xED ? 0x9F : c == 0xF4 ? 0x8F : 0xBF;
    char32_t code = c & (0x7F >> n);
    for (size_t i = 1; i < n; ++i) {
        if (i >= left || p[i] < lo || p[i] > hi) return {0, i, false};
        code = (code << 6) | (p[i] & 0x3F);
        lo = 0x80;
        hi = 0xBF;
    }
    return {code, n, true};
}
