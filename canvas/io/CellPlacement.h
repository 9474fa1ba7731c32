#pragma once

#include "canvas/io/LayoutChars.h"

#include <string>
#include <vector>

// Lines of characters as the Shift-JIS bytes the canvas file and clipboard
// readers place exactly: two bytes a cell, each line followed by its own line
// end (or by lineEnd when one is given).
// - A ruled-line piece is the JIS glyph of its flags; when it is one column
//   wide, the space or line piece after it is its cell's second column.
// - A double-byte character fills a cell; a one-column one takes the space after
//   it as its second column.
// - Half-width characters pair up; one left alone (before a whole-cell character
//   or at the end of the line) is padded with a space.
// changes lists, for each character read with a CharChange, where its cell's two
// bytes start, in reading order.
struct CPlacedCells {
    std::string bytes;
    std::vector<CCharChange> changes;
};
CPlacedCells PlaceCells(const std::vector<CLayoutLine>& lines, const char* lineEnd = nullptr);
