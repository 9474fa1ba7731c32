#pragma once

// The symbols offered by the symbol palette: ten categories of full-width Shift-JIS
// characters, shown in a grid of 6 x 10 slots.

constexpr int kSymbolCategoryCount = 10;
constexpr int kSymbolSlotCount = 60;

// Category, slot: a NUL-terminated Shift-JIS string (one double-byte character). A slot whose
// first byte is 0 is empty; the empty slots of a category follow its last symbol.
using CSymbolGrid = char[kSymbolCategoryCount][kSymbolSlotCount][4];

// The tables, built from the fixed category lists on first use and never changed.
const CSymbolGrid& SymbolTables();

// The category names (UTF-8) in category order, as the palette's category box lists them.
extern const char* const g_symbolCategoryNames[kSymbolCategoryCount];

// Number of symbols in a category (the filled slots); 0 for a category out of range.
int SymbolCount(int category);
