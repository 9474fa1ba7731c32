#include "canvas/LineFlags.h"

#include <array>

namespace {

struct GlyphEntry {
    int flags;
    char text[3];
};

// The JIS box-drawing characters 0x849F..0x84BE, keyed by their line flags.
const GlyphEntry kGlyphs[32] = {
    {3, "\x84\xA1"},  {5, "\x84\x9F"},  {6, "\x84\xA2"},  {7, "\x84\xA6"},  {9, "\x84\xA4"},
    {10, "\x84\xA0"}, {11, "\x84\xA5"}, {12, "\x84\xA3"}, {13, "\x84\xA8"}, {14, "\x84\xA7"},
    {15, "\x84\xA9"}, {21, "\x84\xAA"}, {23, "\x84\xB6"}, {27, "\x84\xBA"}, {29, "\x84\xB8"},
    {30, "\x84\xBC"}, {31, "\x84\xB9"}, {39, "\x84\xBB"}, {42, "\x84\xAB"}, {43, "\x84\xB5"},
    {45, "\x84\xBD"}, {46, "\x84\xB7"}, {47, "\x84\xBE"}, {51, "\x84\xAC"}, {54, "\x84\xAD"},
    {55, "\x84\xB1"}, {57, "\x84\xAF"}, {59, "\x84\xB0"}, {60, "\x84\xAE"}, {61, "\x84\xB3"},
    {62, "\x84\xB2"}, {63, "\x84\xB4"},
};

} // namespace

const int g_validLineFlags[32] = {3,  5,  6,  7,  9,  10, 11, 12, 13, 14, 15, 21, 23, 27, 29, 30,
                                  31, 39, 42, 43, 45, 46, 47, 51, 54, 55, 57, 59, 60, 61, 62, 63};

const char* LineGlyphFor(int flags) {
    for (const GlyphEntry& g : kGlyphs)
        if (g.flags == flags) return g.text;
    return nullptr;
}

int LineFlagsForText(const char* text) {
    // The glyphs are the codes 0x849F..0x84BE: look the trail byte up directly.
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    const unsigned char trail = lead ? static_cast<unsigned char>(text[1]) : 0;
    if (lead != 0x84 || trail < 0x9F || trail > 0xBE || text[2] != 0) return -1;
    static const std::array<int, 32> byTrail = [] {
        std::array<int, 32> table{};
        for (const GlyphEntry& g : kGlyphs)
            table[static_cast<unsigned char>(g.text[1]) - 0x9F] = g.flags;
        return table;
    }();
    return byTrail[trail - 0x9F];
}
