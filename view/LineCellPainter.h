#pragma once

#include "canvas/LineCellGeometry.h"

class QColor;
class QPainter;
class QRect;

// Paints a box-drawing cell from its line flags as the filled, pixel-aligned
// rectangles of LineCellRects. Only the ink is painted; the cell's background
// is the caller's.
void PaintLineCell(QPainter& p, const QRect& cell, int flags, const QColor& ink);
