#include "canvas/LineCellGeometry.h"

#include "canvas/Cell.h"
#include "canvas/LineFlags.h"

#include <algorithm>
#include <cmath>

CLineStrokes CLineStrokes::For(int d) {
    CLineStrokes s;
    s.thin = std::max(1, static_cast<int>(std::lround(0.04 * d)));
    s.thick = std::max(s.thin + 1, static_cast<int>(std::lround(0.12 * d)));
    return s;
}

CLineCellRects LineCellRects(int flags, int d) {
    const CLineStrokes strokes = CLineStrokes::For(d);
    // The horizontal stroke's rows and the vertical stroke's columns, centred in
    // the cell; every arm of an axis uses them, so the arms of neighbouring cells
    // line up.
    const int hWidth = (flags & LF_HTHICK) ? strokes.thick : strokes.thin;
    const int vWidth = (flags & LF_VTHICK) ? strokes.thick : strokes.thin;
    const int hTop = (d - hWidth) / 2;
    const int vLeft = (d - vWidth) / 2;
    // An arm reaches across the other axis' stroke, so corners are square and a
    // thin arm meets a thick stroke without a gap.
    CLineCellRects out;
    auto add = [&out](int x, int y, int w, int h) { out.rects[out.count++] = {x, y, w, h}; };
    if (flags & LF_RIGHT) add(vLeft, hTop, d - vLeft, hWidth);
    if (flags & LF_LEFT) add(0, hTop, vLeft + vWidth, hWidth);
    if (flags & LF_DOWN) add(vLeft, hTop, vWidth, d - hTop);
    if (flags & LF_UP) add(vLeft, 0, vWidth, hTop + hWidth);
    return out;
}

bool IsLineGeometryCell(const CCell& cell) {
    return cell.m_bLine && LineGlyphFor(cell.m_nLineFlags) != nullptr;
}
