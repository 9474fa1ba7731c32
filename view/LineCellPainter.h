#pragma once

class QColor;
class QPainter;
class QRect;

// Stroke widths of ruled lines for a cell edge d, in the painter's pixels.
struct CLineStrokes {
    int thin = 1;
    int thick = 2;

    static CLineStrokes For(int d);
};

// Paints a box-drawing cell from its line flags as filled, pixel-aligned
// rectangles: each arm runs from the cell centre to the cell edge, so arms of
// neighbouring cells meet without gaps and thin arms end on thick strokes.
// Only the ink is painted; the cell's background is the caller's.
void PaintLineCell(QPainter& p, const QRect& cell, int flags, const QColor& ink);
