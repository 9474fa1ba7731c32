#pragma once

#include "canvas/io/LayoutChars.h"

#include <vector>

// Reads a plain-ASCII drawing's + - = | as ruled-line pieces, only where they
// join other line characters, so that "a-b", "1+1", "C++" and "--verbose" stay
// text:
// - a run of - or = is a line when it touches a + or | that joins it, or when it
//   is at least four long, or three long without a letter or digit beside it;
//   = is thick;
// - | is a vertical line when a | or a joining + is above or below it, or a line
//   run is beside it;
// - + takes an arm towards each line character beside, above or below it; with
//   none it stays text, with one it is the whole line of that axis.
// Vertical lines are thin: ASCII has no weight for them.
void MarkAsciiLines(std::vector<CLayoutLine>& lines);
