#pragma once

#include "canvas/LineCellGeometry.h"

class QColor;
class QPainter;
class QRect;

// Paints a box-drawing cell from its line flags as the filled, pixel-aligned
// rectangles of LineCellRects. Only the ink is painted; the cell's background
// is the caller's. With atLeastOnePixel each arm also gets a one-device-pixel
// line along its middle, so that it shows however far the drawing is later
// scaled down (print preview draws the printer's page at a fraction of its size).
void PaintLineCell(QPainter& p, const QRect& cell, int flags, const QColor& ink,
                   bool atLeastOnePixel = false);
