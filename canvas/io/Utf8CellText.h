#pragma once

#include <cstdint>
#include <string>
#include <vector>

// UTF-8 text as the Shift-JIS bytes the cells keep, for the file reader.

// A character the conversion could not keep as it is.
enum class CharChange : uint8_t {
    BoxChar,   // a box-drawing character outside JIS: the nearest JIS line glyph
    LookAlike, // a Shift-JIS look-alike that reads back as another character (¥ as \)
    Unmappable // no Shift-JIS form, or an invalid UTF-8 sequence: 〓
};

struct CCharChange {
    uint32_t offset; // where its two bytes start in the converted text
    CharChange kind;
};

// Converts utf8 from byte start on. Line ends, TABs and other control bytes stay
// as they are, so the file reader sees the same lines. Box-drawing characters go
// through BoxDrawingCell (canvas/io/BoxDrawingMap.h) before anything else; every
// other character through the codec (canvas/io/Cp932.h). Each changed character
// becomes one double-byte character and is listed in changes, in order.
std::string Utf8ToCellBytes(const std::string& utf8, size_t start,
                            std::vector<CCharChange>& changes);
