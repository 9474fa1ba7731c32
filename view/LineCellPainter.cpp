#include "view/LineCellPainter.h"

#include <QColor>
#include <QPainter>
#include <QRect>

void PaintLineCell(QPainter& p, const QRect& cell, int flags, const QColor& ink) {
    for (const CPixelRect& r : LineCellRects(flags, cell.width()))
        p.fillRect(cell.left() + r.x, cell.top() + r.y, r.width, r.height, ink);
}
