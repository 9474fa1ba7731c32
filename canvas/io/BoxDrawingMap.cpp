#include "canvas/io/BoxDrawingMap.h"

#include "canvas/Cell.h"
#include "canvas/LineFlags.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// The arms of each character of the block as four hex digits: right, down, left,
// up; 0 no arm, 1 light, 2 heavy, 3 double. Dashes and arcs are given as the solid
// line they stand for. 0xFFFF marks the three diagonals.
const uint16_t kArms[128] = {
    0x1010, 0x2020, 0x0101, 0x0202, 0x1010, 0x2020, 0x0101, 0x0202, // U+2500
    0x1010, 0x2020, 0x0101, 0x0202, 0x1100, 0x2100, 0x1200, 0x2200, // U+2508
    0x0110, 0x0120, 0x0210, 0x0220, 0x1001, 0x2001, 0x1002, 0x2002, // U+2510
    0x0011, 0x0021, 0x0012, 0x0022, 0x1101, 0x2101, 0x1102, 0x1201, // U+2518
    0x1202, 0x2102, 0x2201, 0x2202, 0x0111, 0x0121, 0x0112, 0x0211, // U+2520
    0x0212, 0x0122, 0x0221, 0x0222, 0x1110, 0x1120, 0x2110, 0x2120, // U+2528
    0x1210, 0x1220, 0x2210, 0x2220, 0x1011, 0x1021, 0x2011, 0x2021, // U+2530
    0x1012, 0x1022, 0x2012, 0x2022, 0x1111, 0x1121, 0x2111, 0x2121, // U+2538
    0x1112, 0x1211, 0x1212, 0x1122, 0x2112, 0x1221, 0x2211, 0x2122, // U+2540
    0x2221, 0x1222, 0x2212, 0x2222, 0x1010, 0x2020, 0x0101, 0x0202, // U+2548
    0x3030, 0x0303, 0x3100, 0x1300, 0x3300, 0x0130, 0x0310, 0x0330, // U+2550
    0x3001, 0x1003, 0x3003, 0x0031, 0x0013, 0x0033, 0x3101, 0x1303, // U+2558
    0x3303, 0x0131, 0x0313, 0x0333, 0x3130, 0x1310, 0x3330, 0x3031, // U+2560
    0x1013, 0x3033, 0x3131, 0x1313, 0x3333, 0x1100, 0x0110, 0x0011, // U+2568
    0x1001, 0xFFFF, 0xFFFF, 0xFFFF, 0x0010, 0x0001, 0x1000, 0x0100, // U+2570
    0x0020, 0x0002, 0x2000, 0x0200, 0x2010, 0x0201, 0x1020, 0x0102, // U+2578
};

// The 32 characters of the block that JIS has (0x849F..0x84BE).
const char32_t kJisCodes[32] = {
    0x2500, 0x2501, 0x2502, 0x2503, 0x250C, 0x250F, 0x2510, 0x2513, 0x2514, 0x2517, 0x2518,
    0x251B, 0x251C, 0x251D, 0x2520, 0x2523, 0x2524, 0x2525, 0x2528, 0x252B, 0x252C, 0x252F,
    0x2530, 0x2533, 0x2534, 0x2537, 0x2538, 0x253B, 0x253C, 0x253F, 0x2542, 0x254B,
};

// Arm bits in the order of the digits of kArms (right, down, left, up).
const int kArmBits[4] = {LF_RIGHT, LF_DOWN, LF_LEFT, LF_UP};
const int kOppositeArm[4] = {2, 3, 0, 1};

bool IsHorizontal(int arm) {
    return arm == 0 || arm == 2;
}

} // namespace

int NearestJisLineFlags(uint16_t arms) {
    int weight[4]; // 0 none, 1 light, 2 heavy (double counts as heavy)
    int count = 0;
    for (int i = 0; i < 4; ++i) {
        const int w = (arms >> (12 - 4 * i)) & 0xF;
        weight[i] = std::min(w, 2);
        count += w != 0;
    }
    if (count == 1) // a half line: the whole line of its axis
        for (int i = 0; i < 4; ++i)
            if (weight[i]) weight[kOppositeArm[i]] = weight[i];
    int flags = 0, heavy = 0, light = 0;
    bool hHeavy = true, vHeavy = true, hLight = true, vLight = true;
    for (int i = 0; i < 4; ++i) {
        if (!weight[i]) continue;
        flags |= kArmBits[i];
        (weight[i] == 2 ? heavy : light)++;
        bool& allHeavy = IsHorizontal(i) ? hHeavy : vHeavy;
        bool& allLight = IsHorizontal(i) ? hLight : vLight;
        (weight[i] == 2 ? allLight : allHeavy) = false;
    }
    const int horizontal = flags & (LF_RIGHT | LF_LEFT) ? LF_HTHICK : 0;
    const int vertical = flags & (LF_DOWN | LF_UP) ? LF_VTHICK : 0;
    if ((hHeavy || hLight) && (vHeavy || vLight)) {
        const int perAxis = flags | (hHeavy ? horizontal : 0) | (vHeavy ? vertical : 0);
        if (LineGlyphFor(perAxis)) return perAxis;
    }
    return heavy >= light ? flags | horizontal | vertical : flags;
}

namespace {

struct CBoxTable {
    std::array<const char*, 128> text;
    std::array<bool, 128> exact;
};

const CBoxTable& Table() {
    static const CBoxTable table = [] {
        CBoxTable t{};
        for (int i = 0; i < 128; ++i) {
            const uint16_t arms = kArms[i];
            t.text[i] = arms != 0xFFFF ? LineGlyphFor(NearestJisLineFlags(arms))
                        : i == 0x71    ? SJIS_SLASH
                        : i == 0x72    ? SJIS_BACKSLASH
                                       : SJIS_CROSS;
        }
        for (char32_t code : kJisCodes) t.exact[code - 0x2500] = true;
        return t;
    }();
    return table;
}

} // namespace

CBoxDrawingCell BoxDrawingCell(char32_t code) {
    if (!IsBoxDrawingCode(code)) return {nullptr, false};
    const CBoxTable& table = Table();
    return {table.text[code - 0x2500], table.exact[code - 0x2500]};
}
