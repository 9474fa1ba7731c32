#pragma once

#include "canvas/CellRect.h"

#include <vector>

// The cells of a symbol run from (x1, y1) to (x2, y2), in any order of the two
// points: one cell per step along the longer side of their bounding box, the
// other coordinate rounded half up from the straight line through the points.
std::vector<CCellPoint> SymbolRunCells(int x1, int y1, int x2, int y2);
