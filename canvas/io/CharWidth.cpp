#include "canvas/io/CharWidth.h"

#include "canvas/ByteClass.h"
#include "canvas/Utf8Char.h"
#include "canvas/io/Cp932.h"

#include <bitset>
#include <string>
#include <unicode/uchar.h>

int WesternColumns(char32_t code) {
    const int width = u_getIntPropertyValue(static_cast<UChar32>(code), UCHAR_EAST_ASIAN_WIDTH);
    return width == U_EA_WIDE || width == U_EA_FULLWIDTH ? 2 : 1;
}

namespace {

constexpr int kLeadFirst = 0x80, kTrailFirst = 0x40;
constexpr int kLeads = 0xFD - kLeadFirst, kTrails = 0xFD - kTrailFirst;

// One bit per lead and trail byte pair: set when the character it decodes to is
// one column wide in Western fonts.
std::bitset<kLeads * kTrails> BuildNarrowTable() {
    std::bitset<kLeads * kTrails> narrow;
    std::string utf8;
    for (int lead = kLeadFirst; lead < 0xFD; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (int trail = kTrailFirst; trail < 0xFD; ++trail) {
            if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
            Cp932ToUtf8(std::string{char(lead), char(trail)}, utf8);
            const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
            const Utf8Char ch = ReadUtf8(p, utf8.size());
            if (ch.valid && ch.length == utf8.size() && WesternColumns(ch.code) == 1)
                narrow.set(size_t(lead - kLeadFirst) * kTrails + size_t(trail - kTrailFirst));
        }
    }
    return narrow;
}

} // namespace

bool IsNarrowInWesternFonts(unsigned char lead, unsigned char trail) {
    static const std::bitset<kLeads* kTrails> table = BuildNarrowTable();
    if (!IsLeadByte(lead) || !IsTrailByte(trail) || lead >= 0xFD) return false;
    return table.test(size_t(lead - kLeadFirst) * kTrails + size_t(trail - kTrailFirst));
}
