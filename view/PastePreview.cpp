#include "view/PastePreview.h"

#include "canvas/Cell.h"
#include "canvas/RuvlenDoc.h"
#include "view/CellPainter.h"

#include <QColor>
#include <QPainter>

namespace {

// Faint enough to read as "not yet there", dark enough to judge the fit.
const QColor kPreviewInk(80, 96, 160);
const QColor kPreviewPaper(232, 238, 255);
const QColor kPreviewFrame(40, 70, 190);
constexpr double kPreviewOpacity = 0.6;

} // namespace

QRect CPastePreview::Bounds(const CRuvlenDoc& doc) const {
    if (!shown) return QRect();
    const CCellRect px = doc.CellToLogical(cells);
    return QRect(QPoint(px.left, px.top), QPoint(px.right - 1, px.bottom - 1))
        .adjusted(-1, -1, 1, 1);
}

void CPastePreview::Paint(QPainter& p, const CRuvlenDoc& doc) const {
    if (!shown) return;
    const int d = doc.m_nCellSize;
    const CCellRect px = doc.CellToLogical(cells);
    p.save();
    p.setOpacity(kPreviewOpacity);
    p.setFont(CellFont(d));
    for (int y = cells.top; y <= cells.bottom; ++y) {
        for (int x = cells.left; x <= cells.right; ++x) {
            const CCell& cell = doc.BufferCell(x - cells.left, y - cells.top);
            if (transparent && cell.IsBlank()) continue;
            const QRect square(px.left + (x - cells.left) * d, px.top + (y - cells.top) * d, d, d);
            PaintCell(p, square, cell, kPreviewInk, kPreviewPaper);
        }
    }
    p.setOpacity(1.0);
    p.setPen(kPreviewFrame);
    p.setBrush(Qt::NoBrush);
    // A stroked QRect reaches one pixel past its right and bottom: the frame
    // runs from one pixel before the cells to the pixel just after them,
    // inside Bounds(), which is all a repaint covers.
    p.drawRect(QRect(QPoint(px.left - 1, px.top - 1), QPoint(px.right - 1, px.bottom - 1)));
    p.restore();
}
