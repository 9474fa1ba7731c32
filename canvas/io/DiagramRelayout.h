#pragma once

#include "canvas/io/LayoutChars.h"

#include <vector>

// Re-lays the diagrams of a text drawn for another font onto the canvas's
// two-column grid: every character that has a vertical arm or needs a whole cell
// comes to start on an even column, the columns needed being added.
// - A diagram is the lines holding ruled-line pieces and the lines between them
//   (a blank line between ends it), with a line of arrowheads under or over it;
//   paragraphs before and after are left as they are.
// - Nothing is removed: every text character stays on its line, in its order,
//   and a word is never split (a space comes before a full-width character only
//   where two of them in one word cannot both start on an even column).
// - Vertical lines stay joined: every piece in a column moves with it, with the
//   horizontal lines running into it and the arrowheads at its ends.
// - A text run moves with the nearest vertical piece at or left of it, in its own
//   line or the lines next to it.
// - Added columns are spaces in gaps, or line pieces inside horizontal lines and
//   between a line and what it runs into.
// Text already on the grid comes back unchanged.
struct CRelayResult {
    bool changed = false;
    int addedColumns = 0; // cells added to the widest line, for the most widened diagram
};
CRelayResult RelayDiagrams(std::vector<CLayoutLine>& lines);

// Whether the lines split into two-column cells as they are written: each ruled
// line piece and whole-cell character on an even column, a one-column whole-cell
// character followed by a space, or for a line piece by the horizontal line of
// its right arm (a space when it has none).
bool IsOnCellGrid(const CLayoutLine& line);
