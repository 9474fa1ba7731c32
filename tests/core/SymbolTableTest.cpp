#include "tools/SymbolTable.h"
#include "canvas/io/Cp932.h"

#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

const int kExpectedCounts[kSymbolCategoryCount] = {58, 45, 11, 32, 32, 48, 33, 33, 30, 38};

// Every category as code page 932 shows it, in slot order. 0x81F0 is U+212B ANGSTROM SIGN,
// not U+00C5.
const char* const kExpectedText[kSymbolCategoryCount] = {
    "、。，．・：；？！゛゜´｀¨＾￣＿ヽヾゝゞ〃仝々〆〇ー―‐／＼～∥｜…‥‘’“”（）〔〕［］｛｝〈〉《》"
    "「」『』【】",
    "＋－±×÷＝≠＜＞≦≧∞∴♂♀∠⊥⌒∂∇≡≒≪≫√∽∝∵∫∬∈∋⊆⊇⊂⊃∪∩∧∨￢⇒⇔∀∃",
    "°′″℃￥＄￠￡％\u212B‰",
    "＃＆＊＠§☆★○●◎◇◆□■△▲▽▼※〒→←↑↓〓♯♭♪†‡¶◯",
    "─│┌┐┘└├┬┤┴┼━┃┏┓┛┗┣┳┫┻╋┠┯┨┷┿┝┰┥┸╂",
    "ΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΤΥΦΧΨΩαβγδεζηθικλμνξοπρστυφχψω",
    "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ",
    "абвгдеёжзийклмнопрстуфхцчшщъыьэюя",
    "①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳ⅠⅡⅢⅣⅤⅥⅦⅧⅨⅩ",
    "㍉㌔㌢㍍㌘㌧㌃㌶㍑㍗㌍㌦㌣㌫㍊㌻㎜㎝㎞㎎㎏㏄㎡㍻№㏍℡㊤㊥㊦㊧㊨㈱㈲㈹㍾㍽㍼",
};

class SymbolTableTest : public ::testing::Test {};

std::string Decode(const std::string& sjis) {
    std::string utf8;
    EXPECT_TRUE(Cp932ToUtf8(sjis, utf8));
    return utf8;
}

} // namespace

TEST_F(SymbolTableTest, CountsAndEmptySlotsAfterTheLastSymbol) {
    for (int category = 0; category < kSymbolCategoryCount; ++category) {
        SCOPED_TRACE(category);
        EXPECT_EQ(SymbolCount(category), kExpectedCounts[category]);
        for (int slot = 0; slot < kSymbolSlotCount; ++slot) {
            const char* text = SymbolTables()[category][slot];
            if (slot < kExpectedCounts[category])
                EXPECT_EQ(std::strlen(text), 2u) << slot;
            else
                EXPECT_EQ(text[0], '\0') << slot;
        }
    }
    EXPECT_EQ(SymbolCount(-1), 0);
    EXPECT_EQ(SymbolCount(kSymbolCategoryCount), 0);
}

TEST_F(SymbolTableTest, DecodedCategoriesMatchTheCharacterLists) {
    for (int category = 0; category < kSymbolCategoryCount; ++category) {
        std::string text;
        for (int slot = 0; slot < SymbolCount(category); ++slot) {
            text += Decode(SymbolTables()[category][slot]);
        }
        EXPECT_EQ(text, kExpectedText[category]) << "category " << category;
    }
}

TEST_F(SymbolTableTest, EverySymbolRoundTripsThroughUtf8) {
    for (int category = 0; category < kSymbolCategoryCount; ++category) {
        for (int slot = 0; slot < SymbolCount(category); ++slot) {
            std::string sjis = SymbolTables()[category][slot];
            std::string utf8 = Decode(sjis);
            EXPECT_EQ(utf8.find("\xEF\xBF\xBD"), std::string::npos) << category << "/" << slot;
            EXPECT_EQ(Utf8ToCp932(utf8, '?'), sjis) << category << "/" << slot;
        }
    }
}

TEST_F(SymbolTableTest, RangeBoundariesLandInTheRightSlots) {
    EXPECT_STREQ(SymbolTables()[1][4], "\x81\x80");  // ÷ after the gap at 0x817F
    EXPECT_STREQ(SymbolTables()[1][15], "\x81\xDA"); // ∠ starts the second run
    EXPECT_STREQ(SymbolTables()[2][10], "\x81\xF1");
    EXPECT_STREQ(SymbolTables()[3][31], "\x81\xFC");
    EXPECT_STREQ(SymbolTables()[7][15], "\x84\x80");
    EXPECT_STREQ(SymbolTables()[9][23], "\x87\x7E");
    EXPECT_STREQ(SymbolTables()[9][24], "\x87\x82");
}

TEST_F(SymbolTableTest, TheTablesAreBuiltOnceAndLeaveTrailingSlotsEmpty) {
    EXPECT_EQ(&SymbolTables(), &SymbolTables());
    EXPECT_EQ(SymbolTables()[2][11][0], '\0');
    EXPECT_EQ(SymbolTables()[0][59][0], '\0');
    EXPECT_EQ(SymbolCount(2), 11);
}

TEST(SymbolCategoryNames, AreTheShiftJisNamesOfTheCategoryBox) {
    // The Greek and Russian names start with half-width katakana; the Russian ones end in
    // full-width digits.
    EXPECT_EQ(Utf8ToCp932(g_symbolCategoryNames[0], '?'), "\x8B\x4C\x8F\x71\x8B\x4C\x8D\x86");
    EXPECT_EQ(Utf8ToCp932(g_symbolCategoryNames[5], '?'), "\xB7\xDE\xD8\xBC\xAC\x95\xB6\x8E\x9A");
    EXPECT_EQ(Utf8ToCp932(g_symbolCategoryNames[6], '?'), "\xDB\xBC\xB1\x95\xB6\x8E\x9A\x82\x50");
    EXPECT_EQ(Utf8ToCp932(g_symbolCategoryNames[7], '?'), "\xDB\xBC\xB1\x95\xB6\x8E\x9A\x82\x51");
    EXPECT_STREQ(g_symbolCategoryNames[4], "罫線素片");
    EXPECT_STREQ(g_symbolCategoryNames[9], "JIS規格外2");
}
