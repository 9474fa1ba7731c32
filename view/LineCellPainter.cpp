#include "view/LineCellPainter.h"

#include <QColor>
#include <QPainter>
#include <QPen>
#include <QRect>

namespace {

// A cosmetic pen is one device pixel wide at any scale. The line runs on whole
// pixels inside the arm, so at full size it covers nothing the fill did not.
void DrawMiddleLine(QPainter& p, int x, int y, const CStrokeRect& r, const QColor& ink) {
    QPen pen(ink, 0);
    pen.setCosmetic(true);
    p.setPen(pen);
    if (r.width >= r.height) {
        const int middle = y + r.y + (r.height - 1) / 2;
        p.drawLine(x + r.x, middle, x + r.x + r.width - 1, middle);
    } else {
        const int middle = x + r.x + (r.width - 1) / 2;
        p.drawLine(middle, y + r.y, middle, y + r.y + r.height - 1);
    }
}

} // namespace

void PaintLineCell(QPainter& p, const QRect& cell, int flags, const QColor& ink,
                   bool atLeastOnePixel) {
    for (const CStrokeRect& r : LineCellRects(flags, cell.width())) {
        p.fillRect(cell.left() + r.x, cell.top() + r.y, r.width, r.height, ink);
        if (atLeastOnePixel) DrawMiddleLine(p, cell.left(), cell.top(), r, ink);
    }
}
