#include "tools/SymbolTable.h"

const char* const g_symbolCategoryNames[kSymbolCategoryCount] = {
    "記述記号",  "学術記号",  "単位記号",  "一般記号",   "罫線素片",
    "ｷﾞﾘｼｬ文字", "ﾛｼｱ文字１", "ﾛｼｱ文字２", "JIS規格外1", "JIS規格外2",
};

namespace {

// An inclusive range of double-byte Shift-JIS codes.
struct CodeRange {
    unsigned short first;
    unsigned short last;
};

// Each category's codes in slot order (the counts in the comments); a range with first == 0
// ends a list. No range spans a code ending in 0x7F: that is never a trail byte.
const CodeRange kCategoryCodes[kSymbolCategoryCount][6] = {
    {{0x8141, 0x817A}}, // 58
    {{0x817B, 0x817E},
     {0x8180, 0x818A},
     {0x81DA, 0x81E8},
     {0x81B8, 0x81BF},
     {0x81C8, 0x81CE}},                                     // 45
    {{0x818B, 0x8193}, {0x81F0, 0x81F1}},                   // 11
    {{0x8194, 0x81AC}, {0x81F2, 0x81F7}, {0x81FC, 0x81FC}}, // 32
    {{0x849F, 0x84BE}},                                     // 32
    {{0x839F, 0x83B6}, {0x83BF, 0x83D6}},                   // 48
    {{0x8440, 0x8460}},                                     // 33
    {{0x8470, 0x847E}, {0x8480, 0x8491}},                   // 33
    {{0x8740, 0x875D}},                                     // 30
    {{0x875F, 0x8775}, {0x877E, 0x877E}, {0x8782, 0x878F}}, // 38
};

struct Tables {
    CSymbolGrid grid = {};
};

void FillCategory(Tables& t, int category) {
    int slot = 0;
    for (const CodeRange& range : kCategoryCodes[category]) {
        if (range.first == 0) break;
        for (unsigned code = range.first; code <= range.last && slot < kSymbolSlotCount; ++code) {
            char* text = t.grid[category][slot++];
            text[0] = static_cast<char>(code >> 8);
            text[1] = static_cast<char>(code & 0xFF);
            text[2] = '\0';
        }
    }
}

} // namespace

const CSymbolGrid& SymbolTables() {
    static const Tables tables = [] {
        Tables t;
        for (int category = 0; category < kSymbolCategoryCount; ++category)
            FillCategory(t, category);
        return t;
    }();
    return tables.grid;
}

int SymbolCount(int category) {
    if (category < 0 || category >= kSymbolCategoryCount) return 0;
    int count = 0;
    while (count < kSymbolSlotCount && SymbolTables()[category][count][0] != '\0') ++count;
    return count;
}
