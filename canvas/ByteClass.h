#pragma once

// Shift-JIS byte classes, tested on the byte value as an unsigned number.

// Printable ASCII and half-width katakana.
inline bool IsSingleByteChar(unsigned char c) {
    return (c >= 0x20 && c <= 0x7E) || (c >= 0xA1 && c <= 0xDF);
}

// First byte of a double-byte character.
inline bool IsLeadByte(unsigned char c) {
    return (c >= 0x80 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Second byte of a double-byte character (0x7F excluded).
inline bool IsTrailByte(unsigned char c) {
    return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC);
}
