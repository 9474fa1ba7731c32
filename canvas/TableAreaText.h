#pragma once

#include "canvas/TableRecognition.h"

// Reading the text of a recognised table's areas (canvas/TableRecognition.h).

// One canvas line of cells [left, right] as a table cell's text line: the
// characters of its cells with the blanks at both ends removed, and without a
// half-width blank that only pads a half-width character before a full-width
// one. In a line that then reads as a number, a blank keeping a half-width
// digit after a full-width one off the full-width cell's edge goes too (right
// alignment puts it there).
CTableTextLine ReadTableTextLine(const CRuvlenDoc& doc, int left, int right, int line);

// Whether text lines between half cells [leftHalf, endHalf) keep to the right
// edge: each non-empty one has less blank after it than before it, or as much
// and `text` (the field they form) reads as a number. False when all are blank.
bool IsRightAligned(const std::vector<CTableTextLine>& lines, int leftHalf, int endHalf,
                    const std::string& text);

// The lines joined with LF, blank lines at the top and bottom dropped.
std::string JoinTableTextLines(const std::vector<CTableTextLine>& lines);
