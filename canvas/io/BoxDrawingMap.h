#pragma once

#include <cstdint>

// The Unicode box-drawing block (U+2500..U+257F) in Shift-JIS cells. JIS has 32 of
// its 128 characters; the others, which programs outside Japan write (double
// lines, rounded corners, dashed lines, light/heavy mixes, half lines), become the
// nearest JIS line cell so that a figure drawn elsewhere arrives as editable lines:
// - double arms count as heavy, dashed lines as the solid line of their weight,
//   rounded corners as light corners;
// - a half line (one arm) becomes the whole line of its axis;
// - a character whose arms are heavy on one axis and light on the other keeps that
//   when JIS has it (╞ becomes ┝, ╪ becomes ┿);
// - any other light/heavy mix takes the weight of most of its arms, and thick when
//   there are as many heavy as light arms (┍ becomes ┏, ╃ becomes ╋), so that a
//   heavy or double line keeps its weight up to its end;
// - the diagonals ╱ ╲ ╳ become ／ ＼ ×, the cells the diagonal line tool draws.
struct CBoxDrawingCell {
    const char* text; // two Shift-JIS bytes plus NUL; null outside the block
    bool exact;       // the character itself is one of the 32 JIS box-drawing characters
};

CBoxDrawingCell BoxDrawingCell(char32_t code);

// The line flags of the nearest JIS glyph, by the rules above, for arms given as
// four hex digits: right, down, left, up; 0 no arm, 1 light, 2 heavy, 3 double.
// 0 when there is no arm.
int NearestJisLineFlags(uint16_t arms);

inline bool IsBoxDrawingCode(char32_t code) {
    return code >= 0x2500 && code <= 0x257F;
}
