#include "view/LineCellPainter.h"

#include "canvas/LineFlags.h"

#include <QColor>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cmath>

CLineStrokes CLineStrokes::For(int d) {
    CLineStrokes s;
    s.thin = std::max(1, static_cast<int>(std::lround(0.04 * d)));
    s.thick = std::max(s.thin + 1, static_cast<int>(std::lround(0.12 * d)));
    return s;
}

void PaintLineCell(QPainter& p, const QRect& cell, int flags, const QColor& ink) {
    const int d = cell.width();
    const CLineStrokes strokes = CLineStrokes::For(d);
    // The horizontal stroke's rows and the vertical stroke's columns, centred in
    // the cell; every arm of an axis uses them, so the arms of neighbouring cells
    // line up.
    const int hWidth = (flags & LF_HTHICK) ? strokes.thick : strokes.thin;
    const int vWidth = (flags & LF_VTHICK) ? strokes.thick : strokes.thin;
    const int hTop = (d - hWidth) / 2;
    const int vLeft = (d - vWidth) / 2;
    const int x = cell.left(), y = cell.top();
    // An arm reaches across the other axis' stroke, so corners are square and a
    // thin arm meets a thick stroke without a gap.
    if (flags & LF_RIGHT) p.fillRect(x + vLeft, y + hTop, d - vLeft, hWidth, ink);
    if (flags & LF_LEFT) p.fillRect(x, y + hTop, vLeft + vWidth, hWidth, ink);
    if (flags & LF_DOWN) p.fillRect(x + vLeft, y + hTop, vWidth, d - hTop, ink);
    if (flags & LF_UP) p.fillRect(x + vLeft, y, vWidth, hTop + hWidth, ink);
}
