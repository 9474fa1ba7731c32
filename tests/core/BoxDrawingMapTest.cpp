// The box-drawing block in Shift-JIS cells: the JIS characters as themselves, the
// others as the nearest JIS line cell.
#include "canvas/io/BoxDrawingMap.h"
#include "canvas/LineFlags.h"
#include "canvas/Utf8Char.h"
#include "canvas/io/Cp932.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::u32string Codes(const std::string& utf8) {
    std::u32string codes;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    for (size_t i = 0; i < utf8.size();) {
        const Utf8Char ch = ReadUtf8(p + i, utf8.size() - i);
        codes += ch.code;
        i += ch.length;
    }
    return codes;
}

std::string Utf8Of(char32_t code) {
    return {char(0xE0 | (code >> 12)), char(0x80 | ((code >> 6) & 0x3F)),
            char(0x80 | (code & 0x3F))};
}

// Every character of the block that JIS lacks (from) with the cell it becomes
// (to), character by character.
struct Mapping {
    const char* from;
    const char* to;
};

const Mapping kMapped[] = {
    // dashed lines: the solid line of their weight
    {"┄┅┆┇┈┉┊┋╌╍╎╏", "─━│┃─━│┃─━│┃"},
    // light/heavy corners: as many heavy as light arms, so thick
    {"┍┎┑┒┕┖┙┚", "┏┏┓┓┗┗┛┛"},
    // light/heavy tees: the weight of two of the three arms
    {"┞┟┡┢┦┧┩┪┭┮┱┲┵┶┹┺", "├├┣┣┤┤┫┫┬┬┳┳┴┴┻┻"},
    // light/heavy crosses: three arms decide, two against two is thick
    {"┽┾╀╁╃╄╅╆╇╈╉╊", "┼┼┼┼╋╋╋╋╋╋╋╋"},
    // double lines as thick; single/double mixes keep a JIS mix where there is one
    {"═║╔╗╚╝╠╣╦╩╬╒╓╕╖╘╙╛╜╞╟╡╢╤╥╧╨╪╫", "━┃┏┓┗┛┣┫┳┻╋┏┏┓┓┗┗┛┛┝┠┥┨┯┰┷┸┿╂"},
    // rounded corners as thin ones
    {"╭╮╯╰", "┌┐┘└"},
    // diagonals as the diagonal tool's cells
    {"╱╲╳", "／＼×"},
    // half lines as the whole line; light/heavy halves as thick
    {"╴╵╶╷╸╹╺╻╼╽╾╿", "─│─│━┃━┃━┃━┃"},
};

} // namespace

TEST(BoxDrawingMap, JisCharactersAreThemselves) {
    int exact = 0;
    for (char32_t code = 0x2500; code <= 0x257F; ++code) {
        const CBoxDrawingCell cell = BoxDrawingCell(code);
        ASSERT_NE(cell.text, nullptr) << std::hex << code;
        const std::string sjis = Utf8ToCp932(Utf8Of(code), '?');
        // The codec encodes exactly the JIS ones, and to the same glyph.
        EXPECT_EQ(cell.exact, sjis != "?") << std::hex << code;
        if (!cell.exact) continue;
        ++exact;
        EXPECT_EQ(cell.text, sjis) << std::hex << code;
        EXPECT_GE(LineFlagsForText(cell.text), 0) << std::hex << code;
    }
    EXPECT_EQ(exact, 32);
}

TEST(BoxDrawingMap, EveryOtherCharacterBecomesTheNearestJisCell) {
    std::set<char32_t> covered;
    for (const Mapping& m : kMapped) {
        const std::u32string from = Codes(m.from), to = Codes(m.to);
        ASSERT_EQ(from.size(), to.size()) << m.from;
        for (size_t i = 0; i < from.size(); ++i) {
            const CBoxDrawingCell cell = BoxDrawingCell(from[i]);
            ASSERT_NE(cell.text, nullptr) << std::hex << from[i];
            EXPECT_FALSE(cell.exact) << std::hex << from[i];
            std::string shown;
            Cp932ToUtf8(cell.text, shown);
            EXPECT_EQ(Codes(shown), to.substr(i, 1)) << std::hex << from[i];
            covered.insert(from[i]);
        }
    }
    EXPECT_EQ(covered.size(), 96u); // all of the block but the 32 JIS characters
}

TEST(BoxDrawingMap, OutsideTheBlockThereIsNoCell) {
    for (char32_t code : {0x24FFu, 0x2580u, 0x2015u, 0x0u, 0x10FFFFu}) {
        EXPECT_EQ(BoxDrawingCell(code).text, nullptr) << std::hex << code;
        EXPECT_FALSE(IsBoxDrawingCode(code));
    }
}
