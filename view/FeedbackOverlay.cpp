#include "view/FeedbackOverlay.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

namespace {

QRect PixelRect(const CPixelRect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// The last pixel before (x2, y2) on the line from (x1, y1): the end point
// itself is not drawn.
QPoint LineEnd(const CFeedbackFigure& f) {
    const int dx = f.x2 - f.x1, dy = f.y2 - f.y1;
    if (dx == 0 && dy == 0) return QPoint(f.x1, f.y1);
    if (std::abs(dx) >= std::abs(dy)) {
        const int step = dx > 0 ? -1 : 1;
        const int x = f.x2 + step;
        const int y = f.y1 + (dx == 0 ? 0 : (x - f.x1) * dy / dx);
        return QPoint(x, y);
    }
    const int step = dy > 0 ? -1 : 1;
    const int y = f.y2 + step;
    return QPoint(f.x1 + (y - f.y1) * dx / dy, y);
}

QPen DottedPen() {
    QPen pen(QColor(128, 128, 128));
    pen.setCosmetic(true);
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setDashPattern({1, 1});
    return pen;
}

} // namespace

QRect CFeedbackOverlay::Bounds(const CFeedbackFigure& figure) {
    if (figure.kind == CFeedbackFigure::DottedLine) {
        const QPoint end = LineEnd(figure);
        return QRect(QPoint(figure.x1, figure.y1), end).normalized();
    }
    QRect bounds;
    for (const CPixelRect& r : figure.rects) bounds |= PixelRect(r);
    return bounds;
}

QRect CFeedbackOverlay::Invert(const CFeedbackFigure& figure) {
    auto it = std::find(m_figures.begin(), m_figures.end(), figure);
    if (it != m_figures.end())
        m_figures.erase(it);
    else if (figure.kind != CFeedbackFigure::None)
        m_figures.push_back(figure);
    return Bounds(figure);
}

void CFeedbackOverlay::Paint(QPainter& p) const {
    if (m_figures.empty()) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
    for (const CFeedbackFigure& f : m_figures) {
        switch (f.kind) {
        case CFeedbackFigure::DottedRect:
            p.setPen(DottedPen());
            p.setBrush(Qt::NoBrush);
            for (const CPixelRect& r : f.rects)
                // One outline, so no corner pixel is inverted twice.
                p.drawRect(QRect(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1));
            break;
        case CFeedbackFigure::DottedLine: {
            p.setPen(DottedPen());
            const QPoint end = LineEnd(f);
            if (end == QPoint(f.x1, f.y1) && f.x1 == f.x2 && f.y1 == f.y2) break;
            p.drawLine(QPoint(f.x1, f.y1), end);
            break;
        }
        case CFeedbackFigure::GrayBlocks:
            p.setPen(Qt::NoPen);
            for (const CPixelRect& r : f.rects) p.fillRect(PixelRect(r), QColor(128, 128, 128));
            break;
        default:
            break;
        }
    }
    p.restore();
}

void CFeedbackOverlay::PaintMarker(QPainter& p, const CFeedbackFigure& marker) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (const CPixelRect& r : marker.rects) {
        const QRect box = PixelRect(r);
        p.fillRect(box, Qt::white);
        QPen pen(QColor(128, 128, 0));
        pen.setCosmetic(true);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(box.adjusted(0, 0, -1, -1));
    }
    p.restore();
}
